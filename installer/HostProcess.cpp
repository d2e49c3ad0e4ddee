#include "HostProcess.hpp"

#include "Handles.hpp"

#include <tlhelp32.h>

#include <cwchar>

namespace Installer {

bool IsProgramRunning(const std::wstring& fileName)
{
    Utilities::ScopedHandle snapshot;
    // A snapshot taken while a process starts may fail with ERROR_BAD_LENGTH:
    // the system asks for another try.
    for (int tries = 0; !snapshot && tries < 10; ++tries) {
        snapshot = Utilities::ScopedHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        if (!snapshot && GetLastError() != ERROR_BAD_LENGTH) {
            return false;
        }
    }
    PROCESSENTRY32W process = {};
    process.dwSize = sizeof process;
    for (BOOL more = Process32FirstW(snapshot.Get(), &process); more; more = Process32NextW(snapshot.Get(), &process)) {
        if (_wcsicmp(process.szExeFile, fileName.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace Installer
