#pragma once
// A hidden top-level window with a title, owned by a thread of its own so
// that it answers while the test's thread sits in a message box.
#include <windows.h>

#include <string>
#include <thread>

namespace TestSupport {

class TopLevelWindow {
public:
    explicit TopLevelWindow(const std::string& title);
    ~TopLevelWindow();
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    void Close();

private:
    HWND window = nullptr;
    std::thread thread;
};

} // namespace TestSupport
