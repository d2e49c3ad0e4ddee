// Arbitrary text and start positions for the tag scanner and the in-memory
// edits. Input: one byte choosing the start position, then the text.
// Any broken rule aborts, which libFuzzer reports as a crash.
#include "TagScanner.hpp"
#include "TextEdits.hpp"

#include <boost/bind/bind.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

using namespace Utilities;
using Position = std::string::size_type;

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
    CheckEdits(text, start);
    CheckLineEnds(text);
    return 0;
}
