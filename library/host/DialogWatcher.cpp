#include "DialogWatcher.hpp"

#include "Text.hpp"

namespace {

struct Search {
    const std::string* caption;
    DWORD process; // 0 for any
    HWND found;
};

// Only a dialog's own title is read: reading another window of this process
// would wait for its thread, which may itself be waiting.
BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    char title[512] = {};
    GetClassNameA(window, className, sizeof className);
    if ((search.process != 0 && process != search.process) || std::string(className) != "#32770" ||
        !IsWindowVisible(window) || !GetWindowTextA(window, title, sizeof title) || *search.caption != title) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

// Holds a critical section for its lifetime.
class Lock {
public:
    explicit Lock(CRITICAL_SECTION& section) : section(section) { EnterCriticalSection(&section); }
    ~Lock() { LeaveCriticalSection(&section); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& section;
};

} // namespace

DialogWatcher::DialogWatcher(std::string caption, int textControl, Action action, Scope scope)
    : caption(std::move(caption)), textControl(textControl), action(std::move(action)), scope(scope)
{
    InitializeCriticalSection(&guard);
    thread = Utilities::ScopedHandle(CreateThread(nullptr, 0, Watch, this, 0, nullptr));
}

DialogWatcher::~DialogWatcher()
{
    stopping = true;
    WaitForSingleObject(thread.Get(), INFINITE);
    DeleteCriticalSection(&guard);
}

std::vector<std::string> DialogWatcher::Texts() const
{
    const Lock lock(guard);
    return texts;
}

void DialogWatcher::Press(HWND dialog, int buttonId)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
}

HWND DialogWatcher::Find() const
{
    Search search{&caption, scope == Scope::ThisProcess ? GetCurrentProcessId() : 0, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD WINAPI DialogWatcher::Watch(void* watcher)
{
    constexpr DWORD PollMs = 20;
    auto& self = *static_cast<DialogWatcher*>(watcher);
    while (!self.stopping) {
        const HWND dialog = self.Find();
        if (dialog == nullptr) {
            Sleep(PollMs);
            continue;
        }
        const HWND item = GetDlgItem(dialog, self.textControl);
        std::wstring wide(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
        wide.resize(static_cast<size_t>(GetWindowTextW(item, wide.data(), static_cast<int>(wide.size()))));
        const std::string text = Utilities::Utf8FromWide(wide);
        {
            const Lock lock(self.guard);
            self.texts.push_back(text);
        }
        self.action(dialog, text);
        // The same window must not be handled twice: wait until it is gone,
        // however long a loaded machine takes to close it.
        while (IsWindow(dialog) && !self.stopping) {
            Sleep(PollMs);
        }
    }
    return 0;
}
