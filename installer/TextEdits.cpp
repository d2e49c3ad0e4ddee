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

std::string FoldLineEnds(const std::string& bytes)
{
    std::string text;
    for (std::string::size_type i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            continue;
        }
        text += bytes[i];
    }
    return text;
}

std::string ExpandLineEnds(const std::string& text)
{
    std::string bytes;
    for (const char ch : text) {
        if (ch == '\n') {
            bytes += '\r';
        }
        bytes += ch;
    }
    return bytes;
}

} // namespace Utilities
