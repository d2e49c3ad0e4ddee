#pragma once
// Conversions between the programs' own texts, which are UTF-8, the wide
// texts of the system's W functions, and the ANSI code page that its 8-bit
// functions use.
#include <string>

namespace Utilities {

std::string Utf8FromWide(const std::wstring& text);
// Bytes that are not UTF-8 become U+FFFD.
std::wstring WideFromUtf8(const std::string& text);
// Characters that the ANSI code page lacks become its default character.
std::string AnsiFromUtf8(const std::string& text);
std::string Utf8FromAnsi(const std::string& text);

} // namespace Utilities
