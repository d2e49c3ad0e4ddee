#include "Process.hpp"

#include "Handles.hpp"
#include "LibraryMessages.hpp"

#include <boost/format.hpp>


namespace {

constexpr DWORD QueryAccess = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

// The system's answer, or false when the process cannot be opened or queried.
bool QueryExitCode(DWORD id, DWORD& code)
{
    const Utilities::ScopedHandle process(OpenProcess(QueryAccess, FALSE, id));
    return process && GetExitCodeProcess(process.Get(), &code) != FALSE;
}

} // namespace

DWORD StartProcess(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION information = {};
    // CreateProcessA may write to the command line: a copy, whose text is
    // always followed by its NUL.
    std::string writable = commandLine;
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &information)) {
        const DWORD code = GetLastError();
        throw StartProcessError((boost::format(Messages::CannotExecute) % commandLine).str(), code);
    }
    // The handles are deliberately left open (see the declaration).
    return information.dwProcessId;
}

bool ProcessIsRunning(DWORD id)
{
    DWORD code = 0;
    return QueryExitCode(id, code) && code == STILL_ACTIVE;
}

std::int32_t ProcessExitCode(DWORD id)
{
    DWORD code = 0;
    return QueryExitCode(id, code) ? static_cast<std::int32_t>(code) : -1;
}

void PumpOneMessage()
{
    MSG message = {};
    if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (GetMessageA(&message, nullptr, 0, 0)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            return;
        }
        // The host's own loop must still see a quit that a script's polling
        // took, or the host would go on running without its window. The
        // quit is no message of the script's: the call pauses as without
        // one, or a script that polls while the host closes would spin.
        PostQuitMessage(static_cast<int>(message.wParam));
    }
    Sleep(5);
}

std::string GetSystemErrorText() { return GetSystemErrorText(GetLastError()); }

std::string GetSystemErrorText(DWORD code)
{
    Utilities::ScopedLocalMemory text;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
    const DWORD length = FormatMessageA(flags, nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                        reinterpret_cast<char*>(text.Receive()), 0, nullptr);
    if (!text) {
        return {};
    }
    return Messages::SystemErrorText(code, std::string(static_cast<const char*>(text.Get()), length));
}
