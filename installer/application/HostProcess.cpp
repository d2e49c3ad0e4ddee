#include "HostProcess.hpp"

#include "Handles.hpp"

#include <tlhelp32.h>

#include <cwchar>

namespace Installer {

namespace {

// A snapshot taken while a process starts may fail with ERROR_BAD_LENGTH:
// the system asks for another try.
Utilities::ScopedHandle Snapshot(DWORD what, DWORD process)
{
    Utilities::ScopedHandle snapshot;
    for (int tries = 0; !snapshot && tries < 10; ++tries) {
        snapshot = Utilities::ScopedHandle(CreateToolhelp32Snapshot(what, process));
        if (!snapshot && GetLastError() != ERROR_BAD_LENGTH) {
            break;
        }
    }
    return snapshot;
}

// The program file of a process: the first module of its module list.
std::wstring ProgramPath(DWORD process)
{
    const Utilities::ScopedHandle modules = Snapshot(TH32CS_SNAPMODULE, process);
    MODULEENTRY32W module = {};
    module.dwSize = sizeof module;
    return modules && Module32FirstW(modules.Get(), &module) ? module.szExePath : L"";
}

} // namespace

std::wstring FindProgramProcess(const std::wstring& fileName)
{
    const Utilities::ScopedHandle processes = Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W process = {};
    process.dwSize = sizeof process;
    for (BOOL more = processes && Process32FirstW(processes.Get(), &process); more; more = Process32NextW(processes.Get(), &process)) {
        if (_wcsicmp(process.szExeFile, fileName.c_str()) == 0) {
            const std::wstring path = ProgramPath(process.th32ProcessID);
            return path.empty() ? process.szExeFile : path;
        }
    }
    return {};
}

} // namespace Installer
