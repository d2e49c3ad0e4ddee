// Arbitrary text for the tag scanner and the line-end conversion. Input: a
// byte for the start position, a byte choosing which tag to accept, then the
// text. A scan may only report the span of a whole tag inside the text, from
// its "<" to its ">", whatever the predicate does to the maps it is given; a
// saved text reads back unchanged; the sanitizers judge every read.
#include "TagScanner.hpp"
#include "TextEdits.hpp"

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
    return 0;
}
