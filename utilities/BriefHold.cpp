#include "BriefHold.hpp"

namespace Utilities {

namespace {

constexpr DWORD PatienceMs = 3000;
constexpr DWORD PauseMs = 50;

bool IsHeld(DWORD error, Hold kind)
{
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return true;
    case ERROR_ACCESS_DENIED:
    case ERROR_DELETE_PENDING: return kind == Hold::Deletion;
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT: return kind == Hold::Replacement;
    default: return false;
    }
}

} // namespace

DWORD WhileBrieflyHeld(const std::function<DWORD()>& attempt, Hold kind)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD error = attempt();
        if (!IsHeld(error, kind) || GetTickCount() - start >= PatienceMs) {
            return error;
        }
        Sleep(PauseMs);
    }
}

} // namespace Utilities
