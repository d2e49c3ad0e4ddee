// Arbitrary text and start positions for the tag scanner and the in-memory
// edits. Input: one byte choosing the start position, then the text.
// Any broken rule aborts, which libFuzzer reports as a crash.
#include "TagScanner.hpp"
#include "TextEdits.hpp"

#include <boost/bind/bind.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace Utilities;
using Position = std::string::size_type;

// The scanner as it stood before it was tuned for speed, a plain state
// machine stepping from character to character, kept word for word. Every
// input must give the same tags, attributes, types and spans from both.
namespace Reference {

using Utilities::TagAttributes;
using Utilities::TagPredicate;
using Utilities::TagSpan;
using Utilities::TagType;

class AttributeCollector {
public:
    void Clear() { count = 0; }
    // The value is text[offset, offset + length); a later name replaces the value.
    void Add(const std::string& name, std::string::size_type offset, std::size_t length);
    // Makes the map hold exactly the collected attributes, values taken from text.
    void Fill(TagAttributes& attributes, const std::string& text);

private:
    using Entry = std::pair<std::string, std::pair<std::string::size_type, std::size_t>>;

    void Sort();
    bool IsShadowed(std::size_t sortedIndex) const;
    bool HasSameNames(const TagAttributes& attributes) const;
    void Recycle(TagAttributes& attributes);

    std::vector<Entry> entries; // reused: only the first count are this tag's
    std::size_t count = 0;
    std::vector<std::size_t> order;
    std::vector<TagAttributes::node_type> spareNodes;
};

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

void AttributeCollector::Add(const std::string& name, std::string::size_type offset, std::size_t length)
{
    if (count == entries.size()) {
        entries.emplace_back();
    }
    entries[count].first = name;
    entries[count].second = {offset, length};
    ++count;
}

void AttributeCollector::Fill(TagAttributes& attributes, const std::string& text)
{
    Sort();
    const bool sameNames = HasSameNames(attributes);
    if (!sameNames) {
        Recycle(attributes);
    }
    auto node = attributes.begin();
    for (std::size_t i = 0; i < count; ++i) {
        if (IsShadowed(i)) {
            continue;
        }
        const auto& [name, value] = entries[order[i]];
        if (sameNames) {
            (node++)->second.assign(text, value.first, value.second);
        } else if (spareNodes.empty()) {
            attributes.emplace_hint(attributes.end(), name, text.substr(value.first, value.second));
        } else {
            TagAttributes::node_type spare = std::move(spareNodes.back());
            spareNodes.pop_back();
            spare.key() = name;
            spare.mapped().assign(text, value.first, value.second);
            attributes.insert(attributes.end(), std::move(spare));
        }
    }
}

// A stable insertion sort by name: tags have a handful of attributes.
void AttributeCollector::Sort()
{
    order.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t j = i;
        for (; j > 0 && entries[i].first < entries[order[j - 1]].first; --j) {
            order[j] = order[j - 1];
        }
        order[j] = i;
    }
}

// Whether a later attribute of the same name follows, whose value wins.
bool AttributeCollector::IsShadowed(std::size_t sortedIndex) const
{
    return sortedIndex + 1 < count && entries[order[sortedIndex + 1]].first == entries[order[sortedIndex]].first;
}

// The predicate may have changed the map since it was filled, so it is
// compared as it is now.
bool AttributeCollector::HasSameNames(const TagAttributes& attributes) const
{
    auto node = attributes.begin();
    for (std::size_t i = 0; i < count; ++i) {
        if (IsShadowed(i)) {
            continue;
        }
        if (node == attributes.end() || node->first != entries[order[i]].first) {
            return false;
        }
        ++node;
    }
    return node == attributes.end();
}

void AttributeCollector::Recycle(TagAttributes& attributes)
{
    while (!attributes.empty()) {
        spareNodes.push_back(attributes.extract(attributes.begin()));
    }
}

namespace {

using Position = std::string::size_type;

enum class State { Outside, TagOpen, Name, InTag, AttributeName, AfterEquals, Value };

// Line breaks and other control characters are ordinary on purpose: the
// host's files are matched the way its own tools always matched them.
enum class CharClass : unsigned char { Ordinary, Blank, Open, Close, Slash, Mark, Quote, Equals };

constexpr std::array<CharClass, 256> MakeClassTable()
{
    std::array<CharClass, 256> table{};
    table[' '] = table['\t'] = CharClass::Blank;
    table['<'] = CharClass::Open;
    table['>'] = CharClass::Close;
    table['/'] = CharClass::Slash;
    table['!'] = table['?'] = CharClass::Mark;
    table['"'] = table['\''] = CharClass::Quote;
    table['='] = CharClass::Equals;
    return table;
}

constexpr std::array<CharClass, 256> ClassTable = MakeClassTable();

CharClass Classify(char ch) { return ClassTable[static_cast<unsigned char>(ch)]; }

// One call's scan state.
class Scanner {
public:
    Scanner(const std::string& text, const TagPredicate& predicate) : text(text), predicate(predicate) {}

    TagSpan Run(Position start);

private:
    bool SkipToTag();
    bool Step(char ch);
    void OpenTag();
    void Ordinary();
    void Blank();
    void Equals();
    bool CloseTag();
    bool ReadValue();

    const std::string& text;
    const TagPredicate& predicate;
    Position position = 0;
    State state = State::Outside;
    char previous = '\0';
    char quote = '\0';
    bool endTag = false;
    TagType type = TagType::StartTag;
    Position begin = 0;
    std::string token;
    std::string elementName;
    std::string attributeName;
    AttributeCollector collected;
    TagAttributes attributes;
};

TagSpan Scanner::Run(Position start)
{
    position = start;
    while (position < text.size()) {
        if (state == State::Outside && !SkipToTag()) {
            break;
        }
        if (state == State::Value) {
            if (!ReadValue()) {
                break;
            }
            continue;
        }
        if (Step(text[position])) {
            return TagSpan(begin, position + 1);
        }
        ++position;
    }
    return TagSpan(0, 0);
}

// Between tags only "<" matters: whatever precedes it is dropped when it
// opens the tag, so the scan may jump straight to it.
bool Scanner::SkipToTag()
{
    const void* found = std::memchr(text.data() + position, '<', text.size() - position);
    if (found == nullptr) {
        return false;
    }
    position = static_cast<Position>(static_cast<const char*>(found) - text.data());
    return true;
}

// True when the ">" at the current position ends a tag that is accepted.
bool Scanner::Step(char ch)
{
    switch (Classify(ch)) {
    case CharClass::Open:
        if (state == State::Outside) {
            OpenTag();
        }
        break;
    case CharClass::Slash:
        if (state == State::TagOpen && previous == '<') {
            endTag = true;
        }
        break;
    case CharClass::Mark:
        break;
    case CharClass::Quote:
        if (state == State::AfterEquals) {
            quote = ch;
            state = State::Value;
        }
        break;
    case CharClass::Equals:
        Equals();
        break;
    case CharClass::Blank:
        Blank();
        return false; // a blank never becomes the previous character
    case CharClass::Close:
        if (CloseTag()) {
            return true;
        }
        break;
    case CharClass::Ordinary:
        Ordinary();
        return false;
    }
    previous = ch;
    return false;
}

void Scanner::OpenTag()
{
    begin = position;
    token.clear();
    elementName.clear();
    attributeName.clear();
    collected.Clear();
    endTag = false;
    state = State::TagOpen;
}

// Only the first character of a run of ordinary characters can change the
// state; the whole run goes to the token at once.
void Scanner::Ordinary()
{
    if (state == State::TagOpen) {
        if (previous == '!') {
            type = TagType::Declaration;
        } else if (previous == '?') {
            type = TagType::ProcessingInstruction;
        } else {
            type = endTag ? TagType::EndTag : TagType::StartTag;
        }
        state = State::Name;
    } else if (state == State::InTag) {
        state = State::AttributeName;
    }
    Position end = position + 1;
    while (end < text.size() && Classify(text[end]) == CharClass::Ordinary) {
        ++end;
    }
    token.append(text, position, end - position);
    previous = text[end - 1];
    position = end - 1;
}

void Scanner::Blank()
{
    if (state == State::Name) {
        elementName = token;
    } else if (state == State::AttributeName) {
        attributeName = token;
    } else {
        return;
    }
    token.clear();
    state = State::InTag;
}

void Scanner::Equals()
{
    if (state == State::AttributeName) {
        attributeName = token;
        token.clear();
        state = State::AfterEquals;
    } else if (state == State::InTag) {
        state = State::AfterEquals;
    }
}

bool Scanner::CloseTag()
{
    if (state == State::Name) {
        elementName = token;
    } else if (state != State::InTag) {
        return false; // a ">" after an attribute name or "=" ends nothing
    }
    state = State::Outside;
    if (previous == '/' || previous == '?') {
        type = TagType::SelfClosingTag;
    }
    collected.Fill(attributes, text);
    return predicate(elementName, attributes, type);
}

// At the character after an opening quote. A value without its closing
// quote ends the scan: nothing after it can be told apart from the value.
bool Scanner::ReadValue()
{
    const void* found = std::memchr(text.data() + position, quote, text.size() - position);
    if (found == nullptr) {
        return false;
    }
    const char* end = static_cast<const char*>(found);
    collected.Add(attributeName, position, static_cast<std::size_t>(end - (text.data() + position)));
    attributeName.clear();
    previous = quote;
    state = State::InTag;
    position = static_cast<Position>(end - text.data()) + 1;
    return true;
}

} // namespace

TagSpan ScanTags(const std::string& text, std::string::size_type start, const TagPredicate& predicate)
{
    if (start >= text.size()) {
        return TagSpan(0, 0);
    }
    Scanner scanner(text, predicate);
    return scanner.Run(start);
}

FindByNameAndAttribute::FindByNameAndAttribute(const std::string& elementName, const std::string& attributeName,
                                               const std::string& attributeValue)
    : elementName(elementName), attributeName(attributeName), attributeValue(attributeValue)
{
}

bool FindByNameAndAttribute::Match(const std::string& elementName, TagAttributes& attributes, const TagType)
{
    if (elementName != this->elementName) {
        return false;
    }
    return attributes[attributeName] == attributeValue;
}

} // namespace Reference

namespace {

using SeenTag = std::tuple<std::string, TagAttributes, TagType>;

void Require(bool condition, const char* rule)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", rule);
        std::abort();
    }
}

bool HasSpecialCharacter(const std::string& name)
{
    return name.find_first_of(" \t<>/!?\"'=") != std::string::npos;
}

void RequirePlainNames(const std::string& name, const TagAttributes& attributes, TagType type)
{
    Require(!HasSpecialCharacter(name), "an element name holds only ordinary characters");
    for (const auto& attribute : attributes) {
        Require(!HasSpecialCharacter(attribute.first), "an attribute name holds only ordinary characters");
    }
    Require(type >= TagType::ProcessingInstruction && type <= TagType::EndTag, "a known tag type");
}

// One scan that rejects every tag sees the same tags as repeated scans that
// accept the first one and go on from its end; every span is a whole tag.
void CheckScans(const std::string& text, Position start)
{
    std::vector<SeenTag> all;
    const TagSpan none = ScanTags(text, start, [&all](const std::string& name, TagAttributes& attributes, TagType type) {
        RequirePlainNames(name, attributes, type);
        all.emplace_back(name, attributes, type);
        attributes["id"] = "changed by the predicate";
        return false;
    });
    Require(none == TagSpan(0, 0), "a scan that accepts nothing gives (0, 0)");
    Require(all.size() <= static_cast<std::size_t>(std::count(text.begin(), text.end(), '>')), "one tag per '>' at most");

    std::vector<SeenTag> found;
    for (Position from = start;;) {
        const TagSpan span = ScanTags(text, from, [&found](const std::string& name, TagAttributes& attributes, TagType type) {
            found.emplace_back(name, attributes, type);
            return true;
        });
        if (span.first == span.second) {
            Require(span == TagSpan(0, 0), "not found is (0, 0)");
            break;
        }
        Require(span.first >= from && span.first < span.second && span.second <= text.size(), "span inside the text");
        Require(text[span.first] == '<' && text[span.second - 1] == '>', "span from '<' to just after '>'");
        from = span.second;
    }
    Require(found == all, "going on from a found tag sees what one scan sees");
}

void CheckEdits(const std::string& text, Position start)
{
    using namespace boost::placeholders;
    FindByNameAndAttribute finder("menuitem", "id", "a");
    const TagSpan span = ScanTags(text, start, boost::bind(&FindByNameAndAttribute::Match, &finder, _1, _2, _3));
    std::string edited = text;
    EraseText(edited, span.first, span.second);
    Require(edited == text.substr(0, span.first) + text.substr(span.second), "erase removes the span only");
    InsertText(edited, start, "\n<menuitem id=\"b\" />");
    Require(edited.size() == text.size() - (span.second - span.first) + 20, "insert adds the text whole");
    EraseText(edited, start, std::string::npos);
    EraseText(edited, std::string::npos, start);
}

void CheckLineEnds(const std::string& text)
{
    const std::string folded = FoldLineEnds(text);
    Require(FoldLineEnds(ExpandLineEnds(text)) == text, "line ends survive a save and a load");
    Require(std::count(folded.begin(), folded.end(), '\n') == std::count(text.begin(), text.end(), '\n'),
            "folding keeps every line feed");
    Require(text.size() - folded.size() <= static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')),
            "folding drops carriage returns only");
}


using Scan = TagSpan (*)(const std::string&, Position, const TagPredicate&);

// Changes the map the way a predicate may, chosen by the call's number: the
// map of the next tag must not depend on what was done to the last one.
void Meddle(TagAttributes& attributes, std::size_t call)
{
    switch (call % 7) {
    case 1:
        attributes["id"] = "changed by the predicate";
        break;
    case 2:
        attributes.clear();
        break;
    case 3:
        if (!attributes.empty()) {
            attributes.erase(attributes.begin());
        }
        break;
    case 4:
        if (!attributes.empty()) {
            attributes.rbegin()->second += "x";
        }
        break;
    case 5:
        attributes.emplace("", "empty name");
        break;
    case 6:
        if (!attributes.empty()) {
            auto node = attributes.extract(attributes.begin());
            node.key() += "y";
            attributes.insert(std::move(node));
        }
        break;
    default:
        break;
    }
}

struct Recorded {
    std::vector<SeenTag> tags;
    TagSpan span;

    bool operator==(const Recorded& other) const { return tags == other.tags && span == other.span; }
};

// Every call the scan makes, the predicate accepting the call numbered accept.
Recorded Record(Scan scan, const std::string& text, Position start, std::size_t accept, std::size_t meddling)
{
    Recorded recorded;
    recorded.span = scan(text, start, [&recorded, accept, meddling](const std::string& name, TagAttributes& attributes, TagType type) {
        recorded.tags.emplace_back(name, attributes, type);
        const std::size_t call = recorded.tags.size() - 1;
        Meddle(attributes, call + meddling);
        return call == accept;
    });
    return recorded;
}

// The spans of the tags found one after another, each scan going on from the
// end of the last tag found.
std::vector<TagSpan> SpansOneByOne(Scan scan, const std::string& text, Position start)
{
    std::vector<TagSpan> spans;
    for (Position from = start;;) {
        const TagSpan span = scan(text, from, [](const std::string&, TagAttributes&, TagType) { return true; });
        spans.push_back(span);
        if (span.first == span.second) {
            return spans;
        }
        from = span.second;
    }
}

template <class Finder>
TagSpan FindWith(Scan scan, const std::string& text, Position start, const char* element, const char* attribute,
                 const char* value)
{
    using namespace boost::placeholders;
    Finder finder(element, attribute, value);
    return scan(text, start, boost::bind(&Finder::Match, &finder, _1, _2, _3));
}

// The installer's scanner and the reference report the same calls, the same
// spans and the same result on every input.
void CheckAgainstReference(const std::string& text, Position start)
{
    const Scan scanner = &Utilities::ScanTags;
    const Scan reference = &Reference::ScanTags;
    std::size_t tags = 0;
    for (std::size_t meddling = 0; meddling < 7; ++meddling) {
        const Recorded expected = Record(reference, text, start, std::string::npos, meddling);
        Require(Record(scanner, text, start, std::string::npos, meddling) == expected,
                "the same tags as the reference when every tag is rejected");
        tags = expected.tags.size();
    }
    // Accepting a tag part of the way through ends the scan at the same place.
    for (const std::size_t accept : {std::size_t{0}, std::size_t{1}, tags / 2, tags - (tags > 0)}) {
        Require(Record(scanner, text, start, accept, accept) == Record(reference, text, start, accept, accept),
                "the same span as the reference for an accepted tag");
    }
    Require(SpansOneByOne(scanner, text, start) == SpansOneByOne(reference, text, start),
            "the same spans as the reference tag by tag");
    for (const auto& wanted : {std::array<const char*, 3>{"menuitem", "id", "a"}, std::array<const char*, 3>{"a", "x", ""},
                               std::array<const char*, 3>{"--", "id", "a"}}) {
        Require(FindWith<FindByNameAndAttribute>(scanner, text, start, wanted[0], wanted[1], wanted[2]) ==
                    FindWith<Reference::FindByNameAndAttribute>(reference, text, start, wanted[0], wanted[1], wanted[2]),
                "the same match as the reference");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    // Spread over the text and just past its end, where the scan must stop at once.
    const Position start = data[0] * (text.size() + 2) / 256;
    CheckScans(text, start);
    CheckAgainstReference(text, start);
    CheckEdits(text, start);
    CheckLineEnds(text);
    return 0;
}
