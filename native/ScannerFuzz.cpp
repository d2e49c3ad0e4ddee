// Arbitrary text for the code that needs no Win32. Input: a byte for a
// position, a byte choosing which tag to accept, then the text. A scan may
// only report the span of a whole tag inside the text, from its "<" to its
// ">", whatever the predicate does to the maps it is given; a saved text
// reads back unchanged; edits at any position stay inside the text; a
// profile buffer is cut to a prefix of itself; a key path splits into
// components that join and split back the same; a command line's log is a
// log name taken from its words. The sanitizers judge every read.
#include "KeyPath.hpp"
#include "ProfileText.hpp"
#include "Reporting.hpp"
#include "TagScanner.hpp"
#include "TextEdits.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace Utilities;

namespace {

void Require(bool condition) { condition ? void() : std::abort(); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string::size_type start = data[0] % (text.size() + 1);
    std::size_t seen = 0;
    const TagSpan span = ScanTags(text, start, [&](const std::string& name, TagAttributes& attributes, TagType) {
        ++seen % 2 ? attributes.clear() : void(attributes[name] = "added");
        return seen == data[1] % 16u;
    });
    Require(span == TagSpan(0, 0) || (start <= span.first && span.first < span.second && span.second <= text.size() &&
                                      text[span.first] == '<' && text[span.second - 1] == '>'));
    Require(FoldLineEnds(ExpandLineEnds(text)) == text);
    std::string edited = text;
    InsertText(edited, data[0] * 5u, "+");
    EraseText(edited, data[1] * 5u, start);
    Require(edited.size() <= text.size() + 1 && edited.size() + start >= text.size() + 1);
    for (const auto mode : {ProfileText::Mode::Value, ProfileText::Mode::List}) {
        const std::string cut = ProfileText::Result(text, mode);
        Require(cut.size() <= text.size() && text.compare(0, cut.size(), cut) == 0);
    }
    const auto components = Registry::SplitKeyPath(text);
    Require(std::none_of(components.begin(), components.end(), [](const std::string& part) { return part.empty(); }));
    Require(Registry::SplitKeyPath(Registry::JoinKeyPath(components, 0, 0)) == components);
    Registry::JoinKeyPath(components, data[0] % 7 - 3, data[1] % 7 - 3);
    std::vector<std::string> words(1);
    for (const char c : text) {
        c == ' ' ? void(words.emplace_back()) : void(words.back() += c);
    }
    const std::string log = Installer::ReadReporting(words).log;
    Require(log.empty() || (Installer::IsLogName(log) && text.find(log) != std::string::npos));
    return 0;
}
