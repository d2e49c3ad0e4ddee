#include "OneRunAtATime.hpp"

#include "Exception.hpp"
#include "Messages.hpp"
#include "Paths.hpp"

namespace Installer {

namespace {

// In the global namespace, so that a run in another session counts too.
constexpr const wchar_t* MutexName = L"Global\\Vantrelle Fitwright";

} // namespace

OneRunAtATime::OneRunAtATime() : mutex(CreateMutexW(nullptr, FALSE, MutexName))
{
    // Set by every call: ERROR_ALREADY_EXISTS when the mutex was there
    // before, ERROR_ACCESS_DENIED when another account's run made it.
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) {
        throw Exception(Messages::AlreadyRunning);
    }
    if (!mutex) {
        throw Exception(std::string(Messages::NoRunCheck) + " (" + Utilities::SystemErrorText(error) + ")");
    }
}

} // namespace Installer
