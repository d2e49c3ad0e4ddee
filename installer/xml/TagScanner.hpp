#pragma once
// The tag scanner behind XMLFile::Find: plain C++ over the bytes of a file,
// without a document tree, so that an edit leaves every other byte alone.
#include <boost/function.hpp>

#include <map>
#include <string>
#include <utility>

namespace Utilities {

// The kind of a scanned tag; the numbers are fixed.
enum class TagType {
    ProcessingInstruction = 0, // "<?name"
    Declaration = 1,           // "<!name", comments included
    SelfClosingTag = 2,        // last non-blank character before ">" is "/" or "?"
    StartTag = 3,
    EndTag = 4,                // "</name"
};

using TagAttributes = std::map<std::string, std::string>;

// Called once per tag with its element name, its attributes (name to value,
// exactly as written) and its type; true accepts the tag and ends the scan.
using TagPredicate = boost::function<bool(const std::string&, TagAttributes&, const TagType)>;

// [first, second) is the tag's text, from its "<" to just after its ">".
// (0, 0) means that no tag was accepted.
using TagSpan = std::pair<std::string::size_type, std::string::size_type>;

// The first tag at or after start that the predicate accepts.
TagSpan ScanTags(const std::string& text, std::string::size_type start, const TagPredicate& predicate);

// Accepts a tag by its element name and the value of one attribute; names
// and values compare exactly, case included.
class FindByNameAndAttribute {
public:
    FindByNameAndAttribute(const std::string& elementName, const std::string& attributeName,
                           const std::string& attributeValue);

    // A missing attribute is added with an empty value and counts as empty.
    bool Match(const std::string& elementName, TagAttributes& attributes, const TagType type);

private:
    const std::string elementName;
    const std::string attributeName;
    const std::string attributeValue;
};

} // namespace Utilities
