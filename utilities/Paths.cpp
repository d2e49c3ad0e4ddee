#include "Paths.hpp"

#include <boost/format.hpp>

#include <windows.h>

#include <stdexcept>

namespace Utilities {

bool Exists(const boost::filesystem::path& path)
{
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_NAME:
        return false;
    default:
        return true;
    }
}

std::string NativeText(const boost::filesystem::path& path)
{
    boost::filesystem::path native = path;
    return native.make_preferred().string();
}

boost::filesystem::path MakePath(const std::string& text)
{
    std::string trimmed = text;
    const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    while (trimmed.size() > 1 && isSeparator(trimmed.back()) && trimmed[trimmed.size() - 2] != ':') {
        trimmed.pop_back();
    }
    const boost::filesystem::path path(trimmed);
    for (const auto& element : path.relative_path()) {
        const std::string name = element.string();
        if (!name.empty() && !boost::filesystem::native(name)) {
            throw std::invalid_argument((boost::format("Invalid name \"%1%\" in path \"%2%\"") % name % text).str());
        }
    }
    return path;
}

} // namespace Utilities
