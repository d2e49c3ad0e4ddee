#include "LibraryFixture.hpp"

#include "Handles.hpp"

namespace LibraryTest {
namespace {

struct HostRun {
    DWORD exitCode = 0;
    std::string output;
};

// Runs the host program with the arguments and collects what it prints.
HostRun RunHostProgram(const std::string& arguments)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    Utilities::ScopedHandle readEnd;
    Utilities::ScopedHandle writeEnd;
    HostRun run;
    if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inheritable, 0)) {
        ADD_FAILURE() << "no pipe";
        return run;
    }
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = writeEnd.Get();
    PROCESS_INFORMATION information = {};
    std::string commandLine = "\"" + HostProgramPath() + "\" " + arguments;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &information)) {
        ADD_FAILURE() << "cannot start " << commandLine;
        return run;
    }
    const Utilities::ScopedHandle process(information.hProcess);
    const Utilities::ScopedHandle thread(information.hThread);
    writeEnd.Close();
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        // The console's line ends, CR LF, read as LF.
        for (DWORD index = 0; index < read; ++index) {
            if (buffer[index] != '\r') {
                run.output += buffer[index];
            }
        }
    }
    WaitForSingleObject(process.Get(), 30000);
    GetExitCodeProcess(process.Get(), &run.exitCode);
    return run;
}

TEST(HostProgramTest, PrintsEachResultAndTheTextOfEachDialog)
{
    const HostRun run = RunHostProgram("--unattended IsProcessRunning 0 ; Error \"Two\r\nlines\" ; Wait extra");
    EXPECT_EQ(run.output, "IsProcessRunning returned 1, result false\n"
                          "Dialog:\nTwo\nlines\n"
                          "Error returned 1, result (unset)\n"
                          "Dialog:\nFunction expects 0 arguments, but 1 has been provided.\n"
                          "Wait returned 0, result (unset)\n");
    EXPECT_EQ(run.exitCode, 1u);
}

} // namespace
} // namespace LibraryTest
