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

    // Loads the file; with writeBack the destructor saves it, edited or not.
    XMLFile(const boost::filesystem::path& file, bool writeBack);
    virtual ~XMLFile();
    XMLFile(const XMLFile&) = delete;
    XMLFile& operator=(const XMLFile&) = delete;

    // The first tag at or after start that the predicate accepts; (0, 0)
    // when there is none. Spans are stale after an edit at or before them.
    Span Find(const TagPredicate& predicate, Position start) const;
    void Insert(Position at, const std::string& s);
    void Erase(Position begin, Position end);

    // A missing or unreadable file gives an empty text. A file that exists
    // but could not be read is never saved over: its content is unknown.
    void Load(const boost::filesystem::path& file);
    // Failures leave the file as it was and are not reported.
    void Save(const boost::filesystem::path& file);

private:
    boost::filesystem::path file;
    bool writeBack;
    std::string text;
    bool readFailed = false;
};

} // namespace Utilities
