// Arbitrary text for the tag scanner and the text edits. Input: a byte for
// the start position, a byte choosing which tag to accept, then the text.
// The scanner must agree with a plain reference that steps one character at
// a time through the state table, with a fresh map for every tag; spans lie
// inside the text; the edits keep every byte. A broken rule aborts, which
// libFuzzer reports; the sanitizers judge every read.
#include "TagScanner.hpp"
#include "TextEdits.hpp"

#include <boost/bind/bind.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

using namespace Utilities;
using Position = std::string::size_type;

namespace {

TagSpan ReferenceScan(const std::string& text, Position start, const TagPredicate& predicate)
{
    enum { Outside, TagOpen, Name, InTag, AttributeName, AfterEquals } state = Outside;
    char previous = '\0';
    std::string token, element, attribute;
    TagAttributes attributes;
    TagType type = TagType::StartTag;
    bool endTag = false;
    Position begin = 0;
    for (Position i = start; i < text.size(); ++i) {
        const char ch = text[i];
        switch (ch) {
        case '<':
            if (state == Outside) {
                begin = i;
                token.clear(), element.clear(), attribute.clear(), attributes.clear();
                endTag = false;
                state = TagOpen;
            }
            break;
        case '/':
            endTag = endTag || (state == TagOpen && previous == '<');
            break;
        case '!':
        case '?':
            break;
        case '"':
        case '\'':
            if (state == AfterEquals) {
                const Position close = text.find(ch, i + 1);
                if (close == std::string::npos) {
                    return TagSpan(0, 0);
                }
                attributes[attribute] = text.substr(i + 1, close - i - 1);
                attribute.clear();
                state = InTag;
                i = close;
            }
            break;
        case '=':
            if (state == AttributeName) {
                attribute = token;
                token.clear();
            }
            state = state == InTag || state == AttributeName ? AfterEquals : state;
            break;
        case ' ':
        case '\t':
            if (state == Name || state == AttributeName) {
                (state == Name ? element : attribute) = token;
                token.clear();
                state = InTag;
            }
            continue; // a blank is never the previous character
        case '>':
            if (state == Name || state == InTag) {
                element = state == Name ? token : element;
                state = Outside;
                type = previous == '/' || previous == '?' ? TagType::SelfClosingTag : type;
                TagAttributes own = attributes;
                if (predicate(element, own, type)) {
                    return TagSpan(begin, i + 1);
                }
            }
            break;
        default:
            if (state == TagOpen) {
                type = previous == '!' ? TagType::Declaration : previous == '?' ? TagType::ProcessingInstruction
                                         : endTag ? TagType::EndTag : TagType::StartTag;
                state = Name;
            } else if (state == InTag) {
                state = AttributeName;
            }
            token += ch;
        }
        previous = ch;
    }
    return TagSpan(0, 0);
}

void Require(bool condition, const char* rule)
{
    if (!condition) {
        std::fprintf(stderr, "broken rule: %s\n", rule);
        std::abort();
    }
}

using Scan = TagSpan (*)(const std::string&, Position, const TagPredicate&);
using Seen = std::vector<std::tuple<std::string, TagAttributes, TagType>>;

// The tags a scan shows the predicate, which accepts the one numbered accept
// and meddles with each map it is given, and the span it ends with.
std::pair<Seen, TagSpan> Record(Scan scan, const std::string& text, Position start, std::size_t accept)
{
    Seen seen;
    const TagSpan span = scan(text, start, [&](const std::string& name, TagAttributes& attributes, TagType type) {
        seen.emplace_back(name, attributes, type);
        switch (seen.size() % 3) {
        case 0: attributes.clear(); break;
        case 1: attributes["id"] = name; break;
        default: attributes.erase(attributes.begin(), attributes.end()); attributes[name];
        }
        return seen.size() == accept;
    });
    return {seen, span};
}

TagSpan FindById(Scan scan, const std::string& text, Position start, const std::string& name, const std::string& id)
{
    using namespace boost::placeholders;
    FindByNameAndAttribute finder(name, "id", id);
    return scan(text, start, boost::bind(&FindByNameAndAttribute::Match, &finder, _1, _2, _3));
}

void CheckScans(const std::string& text, Position start, std::size_t accept)
{
    const auto [seen, span] = Record(ScanTags, text, start, accept);
    Require(Record(ReferenceScan, text, start, accept) == std::make_pair(seen, span), "the scan agrees with the reference");
    Require(span == TagSpan(0, 0) || (start <= span.first && span.first < span.second && span.second <= text.size() &&
                                      text[span.first] == '<' && text[span.second - 1] == '>'),
            "a span is a tag inside the text");
    for (const auto& [name, attributes, type] : seen) {
        const auto id = attributes.find("id");
        const std::string value = id == attributes.end() ? "" : id->second;
        Require(FindById(ScanTags, text, start, name, value) == FindById(ReferenceScan, text, start, name, value),
                "a search agrees with the reference");
    }
}

void CheckEdits(const std::string& text, Position at)
{
    Require(FoldLineEnds(ExpandLineEnds(text)) == text, "line ends written and read back give the text");
    std::string edited = text;
    InsertText(edited, at, "<x/>");
    Require(edited.size() == text.size() + 4, "an insertion adds its text");
    EraseText(edited, std::min(at, text.size()), std::min(at, text.size()) + 4);
    Require(edited == text, "erasing what was inserted restores the text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const Position start = text.empty() ? 0 : data[0] % (text.size() + 1);
    CheckScans(text, start, data[1] % 16);
    CheckEdits(text, start);
    return 0;
}
