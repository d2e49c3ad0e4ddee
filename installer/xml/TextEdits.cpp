#include "TextEdits.hpp"

#include <algorithm>

namespace Utilities {

void InsertText(std::string& text, std::string::size_type at, const std::string& s)
{
    text.insert(std::min(at, text.size()), s);
}

void EraseText(std::string& text, std::string::size_type begin, std::string::size_type end)
{
    if (begin < end && begin < text.size()) {
        text.erase(begin, end - begin);
    }
}

// Both conversions copy whole lines: a byte at a time, a large file would
// take longer to convert than to read and write.
std::string FoldLineEnds(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::string::size_type from = 0;;) {
        const std::string::size_type pair = bytes.find("\r\n", from);
        text.append(bytes, from, pair == std::string::npos ? pair : pair - from);
        if (pair == std::string::npos) {
            return text;
        }
        from = pair + 1;
    }
}

std::string ExpandLineEnds(const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    for (std::string::size_type from = 0;;) {
        const std::string::size_type end = text.find('\n', from);
        bytes.append(text, from, end == std::string::npos ? end : end - from);
        if (end == std::string::npos) {
            return bytes;
        }
        bytes += "\r\n";
        from = end + 1;
    }
}

} // namespace Utilities
