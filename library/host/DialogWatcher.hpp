#pragma once
// Answers dialogs for a run without a user: from a thread of its own it
// looks for visible dialogs with a caption, records the text of one of their
// controls (0xFFFF is a message box's text) and acts on each.
#include "Handles.hpp"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class DialogWatcher {
public:
    // Called with each dialog found and its text; it must make the dialog go away.
    using Action = std::function<void(HWND dialog, const std::string& text)>;
    enum class Scope { ThisProcess, AnyProcess };

    DialogWatcher(std::string caption, int textControl, Action action, Scope scope = Scope::ThisProcess);
    ~DialogWatcher();
    // The texts of the dialogs handled so far, in order, in UTF-8.
    std::vector<std::string> Texts() const;

    // Clicks a button the way the dialog manager reports it.
    static void Press(HWND dialog, int buttonId);
    static Action Pressing(int buttonId)
    {
        return [buttonId](HWND dialog, const std::string&) { Press(dialog, buttonId); };
    }

private:
    HWND Find() const;
    static DWORD WINAPI Watch(void* watcher);

    const std::string caption;
    const int textControl;
    const Action action;
    const Scope scope;
    mutable CRITICAL_SECTION guard; // of texts
    std::vector<std::string> texts;
    std::atomic<bool> stopping{false};
    Utilities::ScopedHandle thread;
};
