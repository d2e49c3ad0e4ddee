#include "DialogWatcher.hpp"

#include <algorithm>
#include <chrono>

namespace TestSupport {

namespace {

constexpr DWORD PollMs = 20;

struct Search {
    const std::string* caption;
    bool anyProcess;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (!search.anyProcess && process != GetCurrentProcessId()) {
        return TRUE;
    }
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) {
        return TRUE;
    }
    char title[512] = {};
    GetWindowTextA(window, title, sizeof title);
    if (*search.caption != title) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

} // namespace

std::string DialogItemText(HWND dialog, int controlId)
{
    const HWND item = GetDlgItem(dialog, controlId);
    const int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(item, text.data(), length + 1)));
    return text;
}

void PressButton(HWND dialog, int buttonId) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0); }

DialogWatcher::DialogWatcher(std::string caption, std::vector<int> buttons, Scope scope, int textControl)
    : caption(std::move(caption)), scope(scope), textControl(textControl), buttons(std::move(buttons))
{
    action = [this](HWND dialog) {
        std::lock_guard<std::mutex> lock(mutex);
        const size_t index = std::min(texts.size() - 1, this->buttons.size() - 1);
        PressButton(dialog, this->buttons[index]);
    };
    thread = std::thread(&DialogWatcher::Watch, this);
}

DialogWatcher::DialogWatcher(std::string caption, Action action, Scope scope, int textControl)
    : caption(std::move(caption)), action(std::move(action)), scope(scope), textControl(textControl)
{
    thread = std::thread(&DialogWatcher::Watch, this);
}

DialogWatcher::~DialogWatcher()
{
    stopping = true;
    thread.join();
}

std::vector<std::string> DialogWatcher::Texts() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return texts;
}

bool DialogWatcher::WaitFor(size_t count, DWORD timeoutMs) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Texts().size() < count) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        Sleep(PollMs);
    }
    return true;
}

HWND DialogWatcher::FindDialog() const
{
    Search search{&caption, scope == Scope::AnyProcess, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DialogWatcher::Watch()
{
    while (!stopping) {
        if (const HWND dialog = FindDialog()) {
            Handle(dialog);
        } else {
            Sleep(PollMs);
        }
    }
}

void DialogWatcher::Handle(HWND dialog)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        texts.push_back(DialogItemText(dialog, textControl));
    }
    action(dialog);
    // The same window must not be handled twice: wait until it is gone.
    for (DWORD waited = 0; IsWindow(dialog) && waited < 10000 && !stopping; waited += PollMs) {
        Sleep(PollMs);
    }
}

} // namespace TestSupport
