#include "HostProcess.hpp"

#include "Faults.hpp"
#include "Paths.hpp"
#include "TestSupport.hpp"
#include "Text.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

using namespace TestSupport;

// A running program is found by its file name in any letter case, with its
// path; a snapshot that the system asks to take again (ERROR_BAD_LENGTH) is
// taken again, and where the program's module list cannot be read its file
// name stands for its path.
TEST(HostProcess, ARunningProgramIsFoundWithItsPathAlsoWhenTheSystemAsksForAnotherSnapshot)
{
    TempFolder folder;
    const fs::path program = folder / "Dreamweaver.exe";
    fs::copy_file(HostFile(EXIT_AFTER_EXE), program);
    std::wstring commandLine = program.wstring() + L" 60000 0";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    const Utilities::ScopedHandle process(started.hProcess), thread(started.hThread);
    const std::string path = Utilities::NativeText(program);
    // Which snapshot fails (1 the processes', 2 the program's modules'), how, and what is found.
    const std::tuple<unsigned, DWORD, std::string> rows[] = {
        {0, 0, path}, {1, ERROR_BAD_LENGTH, path}, {1, ERROR_ACCESS_DENIED, ""},
        {2, ERROR_BAD_LENGTH, path}, {2, ERROR_ACCESS_DENIED, "Dreamweaver.exe"},
    };
    for (const auto& [call, code, found] : rows) {
        Faults::Arm({call, code, 1, "CreateToolhelp32Snapshot"});
        const std::wstring running = Installer::FindProgramProcess(L"DREAMWEAVER.EXE");
        Faults::Disarm();
        EXPECT_EQ(found, Utilities::Utf8FromWide(running)) << call << " " << code;
    }
    TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 10000);
}
