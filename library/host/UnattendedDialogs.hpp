#pragma once
// Answers the library's error dialogs for a run without a user: each one's
// text is printed and the dialog closed with its Close button.
#include <windows.h>

#include <atomic>
#include <ostream>
#include <thread>

class UnattendedDialogs {
public:
    explicit UnattendedDialogs(std::ostream& output);
    ~UnattendedDialogs();
    UnattendedDialogs(const UnattendedDialogs&) = delete;
    UnattendedDialogs& operator=(const UnattendedDialogs&) = delete;

    // This process's visible error dialog, or null.
    static HWND FindErrorDialog();
    // The text of the dialog's message control.
    static std::string MessageText(HWND dialog);

private:
    void Watch();

    std::ostream& output;
    std::atomic<bool> stopping{false};
    std::thread thread;
};
