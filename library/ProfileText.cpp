#include "ProfileText.hpp"

namespace ProfileText {

Mode ModeFor(const std::string& section, const std::string& key)
{
    return !section.empty() && !key.empty() ? Mode::Value : Mode::List;
}

bool IsComplete(std::uint32_t count, std::uint32_t size, Mode mode)
{
    return count < size - static_cast<std::uint32_t>(mode);
}

std::string Result(const std::string& buffer, Mode mode)
{
    if (mode == Mode::Value) {
        return buffer.substr(0, buffer.find('\0'));
    }
    std::size_t end = 0;
    while (end < buffer.size() && buffer[end] != '\0') {
        end = buffer.find('\0', end);
        if (end == std::string::npos) {
            return buffer;
        }
        ++end;
    }
    return buffer.substr(0, end);
}

} // namespace ProfileText
