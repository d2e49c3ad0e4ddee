#pragma once
// Recognising a running host by the titles of top-level windows.
#include <windows.h>

#include <string>
#include <vector>

namespace Installer {

struct WindowSearch {
    std::vector<std::string> keywords;
    bool found;
    std::string title; // of the window found, in UTF-8
};

// EnumWindows callback; the parameter is the address of a WindowSearch.
// Returns FALSE, ending the enumeration, at the first matching window.
BOOL CALLBACK MatchHostWindow(HWND window, LPARAM search);

} // namespace Installer
