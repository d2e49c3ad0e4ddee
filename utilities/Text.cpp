#include "Text.hpp"

#include <windows.h>

namespace Utilities {

namespace {

std::wstring Widen(UINT codePage, const std::string& text)
{
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

std::string Narrow(UINT codePage, const std::wstring& text)
{
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    narrow.resize(static_cast<std::size_t>(
        WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), static_cast<int>(narrow.size()), nullptr, nullptr)));
    return narrow;
}

} // namespace

std::string Utf8FromWide(const std::wstring& text) { return Narrow(CP_UTF8, text); }
std::wstring WideFromUtf8(const std::string& text) { return Widen(CP_UTF8, text); }
std::string AnsiFromUtf8(const std::string& text) { return Narrow(CP_ACP, Widen(CP_UTF8, text)); }
std::string Utf8FromAnsi(const std::string& text) { return Narrow(CP_UTF8, Widen(CP_ACP, text)); }

} // namespace Utilities
