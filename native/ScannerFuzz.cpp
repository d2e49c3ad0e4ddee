// Arbitrary text for the tag scanner. Input: a byte for the start position, a
// byte choosing which tag to accept, then the text. The scanner must agree
// with a plain reference that steps one character at a time through the
// state table with a fresh map for every tag, and report only spans of tags
// inside the text; the sanitizers judge every read.
#include "TagScanner.hpp"

#include <cstdint>
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
        if ((ch == ' ' || ch == '\t') && (state == Name || state == AttributeName)) {
            (state == Name ? element : attribute) = token;
            token.clear(), state = InTag;
        }
        if (ch == ' ' || ch == '\t') {
            continue; // a blank is never the previous character
        }
        if (ch == '<' && state == Outside) {
            begin = i, state = TagOpen, endTag = false;
            token.clear(), element.clear(), attribute.clear(), attributes.clear();
        } else if (ch == '/') {
            endTag = endTag || (state == TagOpen && previous == '<');
        } else if ((ch == '"' || ch == '\'') && state == AfterEquals) {
            const Position close = text.find(ch, i + 1);
            if (close == std::string::npos) {
                return TagSpan(0, 0);
            }
            attributes[attribute] = text.substr(i + 1, close - i - 1);
            attribute.clear(), state = InTag, i = close;
        } else if (ch == '=' && state == AttributeName) {
            attribute = token, token.clear(), state = AfterEquals;
        } else if (ch == '=' && state == InTag) {
            state = AfterEquals;
        } else if (ch == '>' && (state == Name || state == InTag)) {
            element = state == Name ? token : element;
            type = previous == '/' || previous == '?' ? TagType::SelfClosingTag : type;
            state = Outside;
            TagAttributes own = attributes;
            if (predicate(element, own, type)) {
                return TagSpan(begin, i + 1);
            }
        } else if (std::string("<>/!?\"'=").find(ch) == std::string::npos) {
            if (state == TagOpen) {
                type = previous == '!' ? TagType::Declaration : previous == '?' ? TagType::ProcessingInstruction
                                       : endTag ? TagType::EndTag : TagType::StartTag;
            }
            state = state == TagOpen ? Name : state == InTag ? AttributeName : state;
            token += ch;
        }
        previous = ch;
    }
    return TagSpan(0, 0);
}

using Scan = TagSpan (*)(const std::string&, Position, const TagPredicate&);
using Seen = std::vector<std::tuple<std::string, TagAttributes, TagType>>;

// The tags a scan shows a predicate that accepts the one numbered accept and
// meddles with each map it is given, and the span the scan ends with.
std::pair<Seen, TagSpan> Record(Scan scan, const std::string& text, Position start, std::size_t accept)
{
    Seen seen;
    const TagSpan span = scan(text, start, [&](const std::string& name, TagAttributes& attributes, TagType type) {
        seen.emplace_back(name, attributes, type);
        seen.size() % 2 ? attributes.clear() : void(attributes[name] = "added");
        return seen.size() == accept;
    });
    return {seen, span};
}

void Require(bool condition) { condition ? void() : std::abort(); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const Position start = data[0] % (text.size() + 1);
    const auto [seen, span] = Record(ScanTags, text, start, data[1] % 16);
    Require(Record(ReferenceScan, text, start, data[1] % 16) == std::make_pair(seen, span));
    Require(span == TagSpan(0, 0) || (start <= span.first && span.first < span.second && span.second <= text.size() &&
                                      text[span.first] == '<' && text[span.second - 1] == '>'));
    return 0;
}
