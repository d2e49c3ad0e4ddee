#include "Paths.hpp"

#include "Text.hpp"

#include <boost/format.hpp>
#include <boost/system/error_code.hpp>

#include <windows.h>

#include <stdexcept>

namespace Utilities {

bool MeansNotThere(unsigned long error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_NAME: return true;
    default: return false;
    }
}

unsigned long LookAt(const boost::filesystem::path& path)
{
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    return MeansNotThere(error) ? ERROR_FILE_NOT_FOUND : error;
}

bool Exists(const boost::filesystem::path& path) { return LookAt(path) != ERROR_FILE_NOT_FOUND; }

bool ExistsOrThrow(const boost::filesystem::path& path)
{
    const unsigned long error = LookAt(path);
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) {
        ThrowSystemError(error);
    }
    return error == ERROR_SUCCESS;
}

std::string SystemErrorText(unsigned long code)
{
    return boost::system::error_code(static_cast<int>(code), boost::system::system_category()).message();
}

void ThrowSystemError(unsigned long code) { throw std::runtime_error(SystemErrorText(code)); }

std::string NativeText(const boost::filesystem::path& path)
{
    boost::filesystem::path native = path;
    return Utf8FromWide(native.make_preferred().wstring());
}

boost::filesystem::path MakePath(const std::wstring& text)
{
    std::wstring trimmed = text;
    const auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    while (trimmed.size() > 1 && isSeparator(trimmed.back()) && trimmed[trimmed.size() - 2] != L':') {
        trimmed.pop_back();
    }
    const boost::filesystem::path path(trimmed);
    for (const auto& element : path.relative_path()) {
        // The characters that Windows refuses are all ASCII, which UTF-8 keeps as they are.
        const std::string name = Utf8FromWide(element.wstring());
        if (!name.empty() && !boost::filesystem::native(name)) {
            throw std::invalid_argument(
                (boost::format("Invalid name \"%1%\" in path \"%2%\"") % name % Utf8FromWide(text)).str());
        }
    }
    return path;
}

} // namespace Utilities
