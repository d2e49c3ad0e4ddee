#include "LibraryFixture.hpp"

#include "Handles.hpp"
#include "TempFolder.hpp"

#include <chrono>

namespace LibraryTest {
namespace {

std::string ExitAfter(int milliseconds, const std::string& code)
{
    return "\"" + TestFolder() + "exit_after.exe\" " + std::to_string(milliseconds) + " " + code;
}

// Waits for the process's end by other means than the library's.
bool WaitForEnd(DWORD id)
{
    const Utilities::ScopedHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    return process && WaitForSingleObject(process.Get(), 20000) == WAIT_OBJECT_0;
}

std::string SystemText(DWORD code)
{
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text,
                   nullptr);
    return text;
}

class ProcessTest : public LibraryTest {
protected:
    DWORD Execute(const std::string& commandLine)
    {
        const auto call = Call("Execute", {Text(commandLine)});
        EXPECT_EQ(call.returned, 1) << commandLine;
        return static_cast<DWORD>(ScriptHost::IntegerOf(call.result));
    }
    ScriptValue IsRunning(DWORD id) { return Call("IsProcessRunning", {ScriptHost::Integer(static_cast<std::int32_t>(id))}).result; }
    std::int32_t ExitCode(DWORD id)
    {
        return ScriptHost::IntegerOf(Call("GetProcessExitCode", {ScriptHost::Integer(static_cast<std::int32_t>(id))}).result);
    }
};

TEST_F(ProcessTest, ExecuteReturnsAtOnceAndTheProcessCanBeFollowed)
{
    const auto start = std::chrono::steady_clock::now();
    const DWORD id = Execute(ExitAfter(3000, "7"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
    ASSERT_NE(id, 0u);
    EXPECT_EQ(IsRunning(id), ScriptTrue);
    EXPECT_EQ(ExitCode(id), 259);
    ASSERT_TRUE(WaitForEnd(id));
    EXPECT_EQ(IsRunning(id), ScriptFalse);
    EXPECT_EQ(ExitCode(id), 7);
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(ProcessTest, ExitCodesArriveAsScriptIntegers)
{
    struct Row {
        const char* code;
        std::int32_t expected;
        ScriptValue running;
    };
    const Row rows[] = {
        {"0", 0, ScriptFalse},
        {"3", 3, ScriptFalse},
        {"0xC0000005", static_cast<std::int32_t>(0xC0000005u), ScriptFalse},
        // A program that ends with STILL_ACTIVE cannot be told from a running one.
        {"259", 259, ScriptTrue},
    };
    for (const auto& row : rows) {
        const DWORD id = Execute(ExitAfter(0, row.code));
        ASSERT_TRUE(WaitForEnd(id)) << row.code;
        EXPECT_EQ(ExitCode(id), row.expected) << row.code;
        EXPECT_EQ(IsRunning(id), row.running) << row.code;
    }
}

TEST_F(ProcessTest, ExecuteOfAMissingProgramReportsTheSystemErrorOfTheStart)
{
    TestSupport::TempFolder folder;
    const std::string commandLine = "\"" + (folder / "missing.exe").string() + "\" argument";
    const auto call = Call("Execute", {Text(commandLine)});
    EXPECT_EQ(call.returned, 0);
    EXPECT_EQ(call.result, ScriptHost::Unset);
    const std::string expected = "Execute ()\r\n\r\nDescription: Couldn't execute specified command line.\r\n\r\n"
                                 "GetLastError: (2) " +
                                 SystemText(ERROR_FILE_NOT_FOUND) + "\r\nCommandLine: " + commandLine +
                                 "\r\nException: Execute (): Cannot execute '" + commandLine + "'\r\n";
    EXPECT_EQ(DialogTexts(), std::vector<std::string>{expected});
}

TEST_F(ProcessTest, ProcessZeroIsNotRunningAndHasNoExitCode)
{
    EXPECT_EQ(IsRunning(0), ScriptFalse);
    EXPECT_EQ(ExitCode(0), -1);
}

TEST_F(ProcessTest, WaitHandlesExactlyOneWaitingMessage)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 1, 0));
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 2, 0));
    PostQuitMessage(0);
    struct Row {
        WPARAM nextParameter;
        UINT nextMessage;
    };
    const Row rows[] = {{2, WM_APP}, {0, WM_QUIT}};
    for (const auto& row : rows) {
        EXPECT_EQ(Call("Wait").returned, 1);
        ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(message.message, row.nextMessage);
        EXPECT_EQ(message.wParam, row.nextParameter);
    }
    EXPECT_EQ(Call("Wait").returned, 1);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) << "the quit message was removed too";
}

TEST_F(ProcessTest, WaitWithoutMessagesPausesBriefly)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Call("Wait").returned, 1);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(4));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1000));
}

} // namespace
} // namespace LibraryTest
