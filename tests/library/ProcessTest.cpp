#include "LibraryFixture.hpp"

#include "Handles.hpp"
#include "TempFolder.hpp"

#include <chrono>

namespace LibraryTest {
namespace {

class ProcessTest : public LibraryTest {
protected:
    // Starts exit_after, which sleeps and then ends with the code; its id.
    DWORD ExitAfter(int milliseconds, const char* code)
    {
        const auto call = Call("Execute", {Text("\"" + TestFolder() + "exit_after.exe\" " + std::to_string(milliseconds) + " " + code)});
        EXPECT_EQ(1, call.returned);
        return static_cast<DWORD>(ScriptHost::IntegerOf(call.result));
    }
    // Whether it runs, and its exit code, as the library answers.
    std::pair<ScriptValue, std::int32_t> State(DWORD id)
    {
        const ScriptValue integer = ScriptHost::Integer(static_cast<std::int32_t>(id));
        return {Call("IsProcessRunning", {integer}).result, ScriptHost::IntegerOf(Call("GetProcessExitCode", {integer}).result)};
    }
};

// Waits for the process's end by other means than the library's.
bool WaitForEnd(DWORD id)
{
    const Utilities::ScopedHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    return process && WaitForSingleObject(process.Get(), 30000) == WAIT_OBJECT_0;
}

TEST_F(ProcessTest, ExecuteReturnsAtOnceAndTheProcessIsFollowedToItsExitCode)
{
    const auto start = std::chrono::steady_clock::now();
    const DWORD id = ExitAfter(5000, "7");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_EQ(std::make_pair(ScriptTrue, 259), State(id));
    ASSERT_TRUE(WaitForEnd(id));
    EXPECT_EQ(std::make_pair(ScriptFalse, 7), State(id));
    const std::pair<const char*, std::pair<ScriptValue, std::int32_t>> rows[] = {
        {"0", {ScriptFalse, 0}},
        {"0xC0000005", {ScriptFalse, static_cast<std::int32_t>(0xC0000005u)}},
        {"259", {ScriptTrue, 259}}, // cannot be told from a running program
    };
    for (const auto& [code, state] : rows) {
        const DWORD ended = ExitAfter(0, code);
        ASSERT_TRUE(WaitForEnd(ended)) << code;
        EXPECT_EQ(state, State(ended)) << code;
    }
    EXPECT_EQ(std::make_pair(ScriptFalse, -1), State(0));
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(ProcessTest, AProgramThatCannotStartIsReportedWithTheSystemErrorOfTheStart)
{
    TestSupport::TempFolder folder;
    const std::string commandLine = "\"" + (folder / "missing.exe").string() + "\" argument";
    const auto call = Call("Execute", {Text(commandLine)});
    EXPECT_EQ(std::make_pair(0, ScriptHost::Unset), std::make_pair(call.returned, call.result));
    char systemText[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND, 0,
                   systemText, sizeof systemText, nullptr);
    EXPECT_EQ(std::vector<std::string>{"Execute ()\r\n\r\nDescription: Couldn't execute specified command line.\r\n\r\n"
                                       "GetLastError: (2) " + std::string(systemText) + "\r\nCommandLine: " + commandLine +
                                       "\r\nException: Execute (): Cannot execute '" + commandLine + "'\r\n"},
              DialogTexts());
}

TEST_F(ProcessTest, WaitHandlesExactlyOneWaitingMessageOrPausesBriefly)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 1, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 2, 0);
    PostQuitMessage(0);
    for (const auto& [next, parameter] : {std::make_pair(WM_APP, 2), std::make_pair(WM_QUIT, 0)}) {
        EXPECT_EQ(1, Call("Wait").returned);
        ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(std::make_pair(static_cast<UINT>(next), static_cast<WPARAM>(parameter)),
                  std::make_pair(message.message, message.wParam));
    }
    EXPECT_EQ(1, Call("Wait").returned);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) << "the quit message was taken too";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(1, Call("Wait").returned);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(4));
}

} // namespace
} // namespace LibraryTest
