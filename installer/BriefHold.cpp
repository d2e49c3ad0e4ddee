#include "BriefHold.hpp"

namespace Installer {

namespace {

constexpr DWORD PatienceMs = 3000;
constexpr DWORD PauseMs = 50;

} // namespace

bool BriefHold::Retry(DWORD error)
{
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                      (deleting && error == ERROR_ACCESS_DENIED);
    if (!held || GetTickCount() - start >= PatienceMs) {
        return false;
    }
    Sleep(PauseMs);
    return true;
}

} // namespace Installer
