#pragma once
// One of the host's XML configuration files, edited as text: read whole when
// constructed, searched tag by tag, edited at byte positions, and written
// back whole when destroyed. Bytes that no edit touches stay as they were.
#include "TagScanner.hpp"

#include <boost/filesystem/path.hpp>

#include <string>

namespace Utilities {

class XMLFile {
public:
    using TagType = Utilities::TagType;
    using TagPredicate = Utilities::TagPredicate;
    using Position = std::string::size_type;
    using Span = TagSpan;

    // Loads the file; with writeBack the destructor saves it when an edit
    // changed it, unless an exception is on its way. Both throw std::runtime_error with
    // the system's reason when the file is there but cannot be read, or
    // cannot be replaced; the file is then left as it was.
    XMLFile(const boost::filesystem::path& file, bool writeBack);
    virtual ~XMLFile() noexcept(false);
    XMLFile(const XMLFile&) = delete;
    XMLFile& operator=(const XMLFile&) = delete;

    // The first tag at or after start that the predicate accepts; (0, 0)
    // when there is none. Spans are stale after an edit at or before them.
    Span Find(const TagPredicate& predicate, Position start) const;
    void Insert(Position at, const std::string& s);
    void Erase(Position begin, Position end);
    // Whether the text differs from the file's as it was loaded.
    bool IsChanged() const { return text != loaded; }

    // A missing file gives an empty text.
    void Load(const boost::filesystem::path& file);
    void Save(const boost::filesystem::path& file);

private:
    boost::filesystem::path file;
    bool writeBack;
    int exceptionsAtStart;
    std::string loaded, text;
};

} // namespace Utilities
