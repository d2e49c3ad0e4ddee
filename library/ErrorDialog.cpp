#include "ErrorDialog.hpp"

#include "Handles.hpp"
#include "Resource.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Any static of this module; its memory region starts at the module's base.
const int moduleMarker = 0;

} // namespace

HMODULE GetLibraryModule()
{
    MEMORY_BASIC_INFORMATION information = {};
    if (VirtualQuery(&moduleMarker, &information, sizeof information) == 0) {
        return nullptr;
    }
    return static_cast<HMODULE>(information.AllocationBase);
}

void ShowErrorDialog(const std::string& text)
{
    // A null module would make Windows look for the dialog among the host
    // program's own resources, which may hold another dialog of that id.
    const HMODULE library = GetLibraryModule();
    if (library == nullptr) {
        return;
    }
    DialogBoxParamA(library, MAKEINTRESOURCEA(IDD_ERROR_DIALOG), nullptr, ErrorDialogProc,
                    reinterpret_cast<LPARAM>(text.c_str()));
}

INT_PTR CALLBACK ErrorDialogProc(HWND window, UINT message, WPARAM first, LPARAM second)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(window, IDC_MESSAGE_TEXT, reinterpret_cast<const char*>(second));
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, 0);
        return TRUE;
    case WM_COMMAND:
        // Compared whole: only button clicks (notification 0) count, and the
        // dialog manager's ids 1 and 2 (Enter, Escape) do nothing.
        if (first == IDC_COPY) {
            CopyDialogItemToClipboard(window, IDC_MESSAGE_TEXT);
        } else if (first == IDC_CLOSE) {
            EndDialog(window, IDC_CLOSE);
        }
        return FALSE;
    default:
        return FALSE;
    }
}

bool CopyDialogItemToClipboard(HWND window, int controlId)
{
    const int textLength = GetWindowTextLengthA(GetDlgItem(window, controlId));
    const size_t length = static_cast<size_t>(std::max(textLength, 0)) + 1;
    std::vector<char> buffer(length, '\0');
    GetDlgItemTextA(window, controlId, buffer.data(), static_cast<int>(length));

    Utilities::ScopedClipboard clipboard(window);
    if (!clipboard) {
        return false;
    }
    EmptyClipboard();
    Utilities::ScopedGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, length));
    if (!block) {
        return false;
    }
    {
        Utilities::ScopedGlobalLock lock(block.Get());
        if (!lock) {
            return false;
        }
        std::memcpy(lock.Get(), buffer.data(), length);
    }
    // The clipboard owns the block once it has taken it.
    if (SetClipboardData(CF_TEXT, block.Get()) == nullptr) {
        return false;
    }
    block.Release();
    return true;
}
