#include "XMLFile.hpp"

#include "FileContent.hpp"
#include "TextEdits.hpp"

namespace Utilities {

XMLFile::XMLFile(const boost::filesystem::path& file, bool writeBack) : file(file), writeBack(writeBack)
{
    Load(file);
}

XMLFile::~XMLFile()
{
    if (!writeBack) {
        return;
    }
    try {
        Save(file);
    } catch (...) {
        // Saving is best effort; the file itself is untouched on failure.
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
    std::string bytes;
    readFailed = ReadFileBytes(file, bytes) == ReadResult::Failed;
    text = FoldLineEnds(bytes);
}

void XMLFile::Save(const boost::filesystem::path& file)
{
    if (!readFailed) {
        ReplaceFileBytes(file, ExpandLineEnds(text));
    }
}

} // namespace Utilities
