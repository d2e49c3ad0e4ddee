// GoogleTest's place for the settings of a platform. MinGW-w64's win32
// thread model, which builds for Windows XP, has no std::mutex, which
// GoogleTest's own Notification uses: this one waits on a Windows event.
#ifndef VANTRELLE_GTEST_CUSTOM_PORT_H
#define VANTRELLE_GTEST_CUSTOM_PORT_H

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() : event(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(event); }
    void WaitForNotification() { WaitForSingleObject(event, INFINITE); }

private:
    HANDLE event;
};

} // namespace testing::internal

#endif
