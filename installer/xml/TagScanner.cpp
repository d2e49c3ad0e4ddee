#include "TagScanner.hpp"

#include <string_view>
#include <vector>

namespace Utilities {

namespace {

using Position = std::string::size_type;

// Where the scan is: between tags, after "<", in the element name, after the
// name or a value, in an attribute name, or after "=" before the quote. A
// quoted value is taken whole, so it needs no state of its own.
enum class State { Outside, TagOpen, Name, InTag, AttributeName, AfterEquals };

// Line breaks and other control characters are ordinary on purpose: the
// host's files are matched the way its own tools always matched them.
constexpr struct CharacterTable {
    constexpr CharacterTable() : ordinary()
    {
        for (int ch = 0; ch < 256; ++ch) {
            ordinary[ch] = std::string_view("<>/=\"'!? \t").find(static_cast<char>(ch)) == std::string_view::npos;
        }
    }
    bool ordinary[256];
} Characters;

bool IsOrdinary(char ch) { return Characters.ordinary[static_cast<unsigned char>(ch)]; }

// The current tag's attributes, in the map that the predicate gets. Its nodes
// are kept from tag to tag, with the capacity of their texts: a scan of a
// large file would otherwise spend most of its time allocating.
class Attributes {
public:
    TagAttributes& Map() { return map; }
    void Clear()
    {
        while (!map.empty()) {
            spare.push_back(map.extract(map.begin()));
        }
    }
    // The value is text[at, at + length); a later value of a name replaces
    // an earlier one.
    void Set(const std::string& name, const std::string& text, Position at, Position length)
    {
        auto found = map.find(name);
        if (found == map.end()) {
            found = spare.empty() ? map.emplace(name, std::string()).first : map.insert(TakeSpare(name)).position;
        }
        found->second.assign(text, at, length);
    }

private:
    TagAttributes::node_type TakeSpare(const std::string& name)
    {
        TagAttributes::node_type node = std::move(spare.back());
        spare.pop_back();
        node.key() = name;
        return node;
    }

    TagAttributes map;
    std::vector<TagAttributes::node_type> spare;
};

} // namespace

TagSpan ScanTags(const std::string& text, Position start, const TagPredicate& predicate)
{
    State state = State::Outside;
    char previous = '\0'; // the last character read that was not a blank
    std::string token, elementName, attributeName;
    Attributes attributes;
    TagType type = TagType::StartTag;
    bool endTag = false;
    Position begin = 0;
    for (Position i = start; i < text.size(); ++i) {
        const char ch = text[i];
        if (state == State::Outside) {
            if (ch == '<') {
                begin = i;
                token.clear();
                elementName.clear();
                attributeName.clear();
                attributes.Clear();
                endTag = false;
                state = State::TagOpen;
            }
        } else if (ch == ' ' || ch == '\t') {
            if (state == State::Name || state == State::AttributeName) {
                (state == State::Name ? elementName : attributeName) = token;
                token.clear();
                state = State::InTag;
            }
            continue; // a blank is never the previous character
        } else if (ch == '/') {
            endTag = endTag || (state == State::TagOpen && previous == '<');
        } else if ((ch == '"' || ch == '\'') && state == State::AfterEquals) {
            const Position close = text.find(ch, i + 1);
            if (close == std::string::npos) {
                return TagSpan(0, 0);
            }
            attributes.Set(attributeName, text, i + 1, close - i - 1);
            attributeName.clear();
            state = State::InTag;
            i = close;
        } else if (ch == '=' && (state == State::InTag || state == State::AttributeName)) {
            if (state == State::AttributeName) {
                attributeName = token;
                token.clear();
            }
            state = State::AfterEquals;
        } else if (ch == '>' && (state == State::Name || state == State::InTag)) {
            if (state == State::Name) {
                elementName = token;
            }
            if (previous == '/' || previous == '?') {
                type = TagType::SelfClosingTag;
            }
            state = State::Outside;
            if (predicate(elementName, attributes.Map(), type)) {
                return TagSpan(begin, i + 1);
            }
        } else if (IsOrdinary(ch)) {
            if (state == State::TagOpen) {
                type = previous == '!' ? TagType::Declaration
                       : previous == '?' ? TagType::ProcessingInstruction
                       : endTag ? TagType::EndTag
                                : TagType::StartTag;
                state = State::Name;
            } else if (state == State::InTag) {
                state = State::AttributeName;
            }
            token += ch;
        }
        previous = ch;
    }
    return TagSpan(0, 0);
}

FindByNameAndAttribute::FindByNameAndAttribute(const std::string& elementName, const std::string& attributeName,
                                               const std::string& attributeValue)
    : elementName(elementName), attributeName(attributeName), attributeValue(attributeValue)
{
}

bool FindByNameAndAttribute::Match(const std::string& elementName, TagAttributes& attributes, const TagType)
{
    return elementName == this->elementName && attributes[attributeName] == attributeValue;
}

} // namespace Utilities
