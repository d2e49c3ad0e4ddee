#include "TopLevelWindow.hpp"

#include <future>

namespace TestSupport {

TopLevelWindow::TopLevelWindow(const std::string& title)
{
    std::promise<HWND> created;
    auto ready = created.get_future();
    thread = std::thread([&created, title] {
        created.set_value(CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                          nullptr, nullptr, nullptr));
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            DispatchMessageA(&message);
        }
    });
    window = ready.get();
}

TopLevelWindow::~TopLevelWindow() { Close(); }

void TopLevelWindow::Close()
{
    if (thread.joinable()) {
        const DWORD owner = GetWindowThreadProcessId(window, nullptr);
        PostMessageA(window, WM_CLOSE, 0, 0);
        PostThreadMessageA(owner, WM_QUIT, 0, 0);
        thread.join();
    }
}

} // namespace TestSupport
