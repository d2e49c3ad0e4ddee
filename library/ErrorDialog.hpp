#pragma once
// The library's one way of speaking: a modal dialog whose text the user can
// copy to the clipboard.
#include <windows.h>

#include <string>

// Returns when the dialog closes; returns at once if it cannot be shown.
void ShowErrorDialog(const std::string& text);
INT_PTR CALLBACK ErrorDialogProc(HWND window, UINT message, WPARAM first, LPARAM second);
bool CopyDialogItemToClipboard(HWND window, int controlId);
HMODULE GetLibraryModule();
