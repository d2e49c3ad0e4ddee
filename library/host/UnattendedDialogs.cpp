#include "UnattendedDialogs.hpp"

#include "Resource.h"

#include <string>
#include <vector>

namespace {

constexpr DWORD PollMs = 20;

BOOL CALLBACK MatchErrorDialog(HWND window, LPARAM parameter)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::string(className) == "#32770" &&
        std::string(title) == ERROR_DIALOG_CAPTION) {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

// Line ends as the console writes them.
std::string WithoutCarriageReturns(const std::string& text)
{
    std::string result;
    for (char c : text) {
        if (c != '\r') {
            result += c;
        }
    }
    return result;
}

} // namespace

UnattendedDialogs::UnattendedDialogs(std::ostream& output) : output(output), thread(&UnattendedDialogs::Watch, this)
{
}

UnattendedDialogs::~UnattendedDialogs()
{
    stopping = true;
    thread.join();
}

HWND UnattendedDialogs::FindErrorDialog()
{
    HWND found = nullptr;
    EnumWindows(MatchErrorDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string UnattendedDialogs::MessageText(HWND dialog)
{
    const HWND control = GetDlgItem(dialog, IDC_MESSAGE_TEXT);
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void UnattendedDialogs::Watch()
{
    while (!stopping) {
        const HWND dialog = FindErrorDialog();
        if (dialog == nullptr) {
            Sleep(PollMs);
            continue;
        }
        output << "Dialog:\n" << WithoutCarriageReturns(MessageText(dialog)) << "\n" << std::flush;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED), 0);
        while (IsWindow(dialog) && !stopping) {
            Sleep(PollMs);
        }
    }
}
