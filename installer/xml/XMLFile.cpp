#include "XMLFile.hpp"

#include "FileContent.hpp"
#include "TextEdits.hpp"

#include <exception>

namespace Utilities {

XMLFile::XMLFile(const boost::filesystem::path& file, bool writeBack)
    : file(file), writeBack(writeBack), exceptionsAtStart(std::uncaught_exceptions())
{
    Load(file);
}

XMLFile::~XMLFile() noexcept(false)
{
    // An edit that an exception interrupts is given up: the file stays as it was.
    if (writeBack && std::uncaught_exceptions() == exceptionsAtStart && IsChanged()) {
        Save(file);
    }
}

XMLFile::Span XMLFile::Find(const TagPredicate& predicate, Position start) const
{
    return ScanTags(text, start, predicate);
}

void XMLFile::Insert(Position at, const std::string& s)
{
    InsertText(text, at, s);
}

void XMLFile::Erase(Position begin, Position end)
{
    EraseText(text, begin, end);
}

void XMLFile::Load(const boost::filesystem::path& file)
{
    text = FoldLineEnds(ReadFileBytes(file));
    loaded = text;
}

void XMLFile::Save(const boost::filesystem::path& file)
{
    ReplaceFileBytes(file, ExpandLineEnds(text));
}

} // namespace Utilities
