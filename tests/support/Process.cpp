#include "Process.hpp"

#include "Handles.hpp"

#include <algorithm>

namespace TestSupport {

boost::filesystem::path HostFile(const std::string& linuxPath)
{
    std::string windowsPath = "Z:" + linuxPath;
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    return boost::filesystem::path(windowsPath);
}

long RunProgram(const boost::filesystem::path& program, const std::string& arguments,
                const boost::filesystem::path& currentFolder, unsigned timeoutMs)
{
    std::wstring commandLine = L"\"" + program.wstring() + L"\" " + boost::filesystem::path(arguments).wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.c_str(), &startup, &started)) {
        return -1;
    }
    const Utilities::ScopedHandle process(started.hProcess);
    const Utilities::ScopedHandle thread(started.hThread);
    if (WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        return -1;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.Get(), &exitCode);
    return static_cast<long>(exitCode);
}

} // namespace TestSupport
