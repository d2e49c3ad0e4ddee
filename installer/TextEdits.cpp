#include "TextEdits.hpp"

#include <algorithm>

namespace Utilities {

void InsertText(std::string& text, std::string::size_type at, const std::string& s)
{
    if (at < text.size()) {
        text.insert(at, s);
    } else {
        text.append(s);
    }
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
    text.reserve(bytes.size());
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
    bytes.reserve(text.size() + static_cast<std::string::size_type>(std::count(text.begin(), text.end(), '\n')));
    for (const char ch : text) {
        if (ch == '\n') {
            bytes += '\r';
        }
        bytes += ch;
    }
    return bytes;
}

} // namespace Utilities
