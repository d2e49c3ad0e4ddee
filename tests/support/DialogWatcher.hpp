#pragma once
// Drives modal message boxes and dialogs from a second thread, so that a
// test can call code that shows them and then check what they said.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace TestSupport {

// The text of a dialog's control; 0xFFFF is a message box's text.
std::string DialogItemText(HWND dialog, int controlId = 0xFFFF);
// Clicks a button the way the dialog manager reports it.
void PressButton(HWND dialog, int buttonId);

class DialogWatcher {
public:
    enum class Scope { ThisProcess, AnyProcess };
    // Called with each dialog found; it must make the dialog go away.
    using Action = std::function<void(HWND dialog)>;

    // Answers each dialog with the caption by pressing the next of the
    // buttons; the last one is repeated for any further dialog.
    DialogWatcher(std::string caption, std::vector<int> buttons, Scope scope = Scope::ThisProcess,
                  int textControl = 0xFFFF);
    DialogWatcher(std::string caption, Action action, Scope scope = Scope::ThisProcess,
                  int textControl = 0xFFFF);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // The texts of the dialogs handled so far, in order.
    std::vector<std::string> Texts() const;
    // Waits until at least count dialogs were handled, up to the timeout.
    bool WaitFor(size_t count, DWORD timeoutMs = 10000) const;

private:
    void Watch();
    HWND FindDialog() const;
    void Handle(HWND dialog);

    std::string caption;
    Action action;
    Scope scope;
    int textControl;
    std::vector<int> buttons;
    mutable std::mutex mutex;
    std::vector<std::string> texts;
    std::atomic<bool> stopping{false};
    std::thread thread;
};

} // namespace TestSupport
