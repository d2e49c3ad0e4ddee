// The built Loomlet.dll, loaded and called the way the host application
// does it, through the host code of LoomletHost.exe.
#include "ErrorDialog.hpp"
#include "Frame.hpp"
#include "Profile.hpp"
#include "ScriptHost.hpp"

#include "Faults.hpp"
#include "TestSupport.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

using namespace TestSupport;
using Result = std::pair<int, ScriptValue>; // what a function returned and what it stored

namespace {

// The error dialog's caption and controls, the host's value tags (an
// integer n is 2n + 1) and the functions with their argument counts.
constexpr const char* Caption = "Vantrelle Extension";
constexpr int MessageControl = 1004, CopyButton = 1002, CloseButton = 1003;
constexpr ScriptValue True = 14, False = 6;
constexpr ScriptValue Integer(std::int32_t n) { return static_cast<ScriptValue>(n) * 2 + 1; }
const std::vector<std::pair<std::string, std::uint32_t>> Functions = {
    {"WriteINI", 4}, {"ReadINI", 3}, {"IsExtensionInstalled", 0}, {"GetExtensionPath", 0}, {"Execute", 1},
    {"IsProcessRunning", 1}, {"GetProcessExitCode", 1}, {"Wait", 0}, {"Error", 1}};
const std::string Registration = "HKEY_CURRENT_USER\\Software\\Brantel\\Vantrelle\\Plugin\\Dreamweaver";

const std::string LibraryFile = HostFile(LOOMLET_DLL);

// A host with the full environment; every error dialog is recorded and closed.
class LibraryTest : public ::testing::Test {
protected:
    LibraryTest() { host.Initialize(ScriptHost::FullSize); }

    Result Call(const std::string& name, const std::vector<std::string>& texts = {})
    {
        std::vector<ScriptValue> arguments;
        for (const auto& text : texts) {
            arguments.push_back(host.Text(text));
        }
        const auto call = host.Call(name, arguments);
        return {call.returned, call.result};
    }
    std::string TextOf(const Result& result) { return host.TextOf(result.second); }
    // What it returned and, as a script prints it, what it stored: 1 "text", 0 (unset).
    std::string Described(const std::string& name, const std::vector<std::string>& texts = {})
    {
        const Result result = Call(name, texts);
        return std::to_string(result.first) + " " + host.Describe(result.second);
    }

    ScriptHost host{LibraryFile};
    const DialogWatcher dialogs{Caption, MessageControl, DialogWatcher::Pressing(CloseButton)};
    TempFolder folder;
};

} // namespace

TEST_F(LibraryTest, TheNineFunctionsRegisterInOrderWhenTheTableHoldsDefineFunction)
{
    const std::size_t entry = sizeof(void*);
    for (const std::size_t size : {std::size_t{0}, 2 * entry - 1, 2 * entry}) {
        host.Initialize(size); // the table ends right before unreadable memory
        std::vector<std::pair<std::string, std::uint32_t>> seen;
        for (const auto& registered : host.Registrations()) {
            seen.emplace_back(registered.name, registered.argumentCount);
        }
        EXPECT_EQ(size == 2 * entry ? Functions : decltype(Functions){}, seen) << size << " bytes";
    }
}

// One too few for each function, or one for those that take none.
TEST_F(LibraryTest, AWrongArgumentCountIsReportedWithoutConvertingOrStoringAnything)
{
    std::vector<std::string> expected;
    for (const auto& [function, count] : Functions) {
        host.Initialize(ScriptHost::FullSize);
        const std::uint32_t given = count ? count - 1 : 1;
        EXPECT_EQ(Result(0, ScriptHost::Unset), Call(function, std::vector<std::string>(given, "1"))) << function;
        EXPECT_EQ(0, host.Calls(ScriptHost::ValueToString) + host.Calls(ScriptHost::ValueToInteger)) << function;
        expected.push_back("Function expects " + std::to_string(count) + " arguments, but " + std::to_string(given) +
                           (given > 1 ? " have" : " has") + " been provided.");
    }
    EXPECT_EQ(expected, dialogs.Texts());
}

// Each dialog is copied from over a clipboard holding another format, with
// the copy failing at each of its calls first, and sent the commands of ids
// 1 and 2; then Enter, Close or the close box by turns ends it.
TEST(ErrorDialog, CopyPutsTheTextAndOneNulOnTheClipboardAndOnlyCloseEnterAndTheCloseBoxEndTheDialog)
{
    ScriptHost host(LibraryFile);
    host.Initialize(ScriptHost::FullSize);
    const UINT otherFormat = RegisterClipboardFormatA("Vantrelle test");
    std::vector<std::string> seen;
    int handled = 0;
    const DialogWatcher watcher(Caption, MessageControl, [&](HWND dialog, const std::string&) {
        bool ready = true;
        for (unsigned call = 1; call <= 3; ++call) { // OpenClipboard, GlobalAlloc, GlobalLock
            Faults::Arm({call, ERROR_NOT_ENOUGH_MEMORY});
            ready = ready && !CopyDialogItemToClipboard(dialog, MessageControl);
        }
        Faults::Disarm();
        {
            const Utilities::ScopedClipboard clipboard(nullptr);
            ready = ready && clipboard && EmptyClipboard() && SetClipboardData(otherFormat, GlobalAlloc(GMEM_MOVEABLE, 1));
        }
        for (const WPARAM command : {CopyButton, IDOK, IDCANCEL}) {
            SendMessageA(dialog, WM_COMMAND, command, 0);
        }
        const Utilities::ScopedClipboard clipboard(nullptr);
        const HANDLE data = GetClipboardData(CF_TEXT);
        const Utilities::ScopedGlobalLock lock(data);
        ready = ready && IsWindowVisible(dialog) && !IsClipboardFormatAvailable(otherFormat) && lock;
        seen.push_back(ready ? std::string(static_cast<const char*>(lock.Get()), GlobalSize(data)) : "?");
        switch (++handled % 3) {
        case 0: PostMessageA(GetDlgItem(dialog, MessageControl), WM_KEYDOWN, VK_RETURN, 0); break;
        case 1: DialogWatcher::Press(dialog, CloseButton); break;
        default: PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    });
    const std::string texts[] = {"", "First line\r\nSecond line\r\n", std::string(3000, 'x')};
    for (const auto& text : texts) {
        const auto call = host.Call("Error", {host.Text(text)});
        EXPECT_EQ(Result(1, ScriptHost::Unset), Result(call.returned, call.result));
        EXPECT_EQ(std::vector<std::string>{text + '\0'}, seen);
        seen.clear();
    }
    EXPECT_EQ(std::vector<std::string>(std::begin(texts), std::end(texts)), watcher.Texts());
}

// Nothing may reach the host: a failure that is no standard exception ends
// in the dialog too, with the function's name, and the function gives 0.
TEST(Frame, AFailureOfAnyKindIsShownWithTheFunctionsNameAndGivesZero)
{
    const DialogWatcher dialogs(Caption, MessageControl, DialogWatcher::Pressing(CloseButton));
    EXPECT_EQ(0, RunFrame("Wait", 0, 0, []() -> int { throw 42; }));
    EXPECT_EQ(std::vector<std::string>{"Wait ()\r\n\r\nException: unknown failure\r\n"}, dialogs.Texts());
}

TEST_F(LibraryTest, ExecuteReturnsAtOnceAndTheProcessIsFollowedToItsExitCode)
{
    const auto state = [this](std::int32_t id) {
        const std::string text = std::to_string(id);
        return std::make_pair(Call("IsProcessRunning", {text}).second, Call("GetProcessExitCode", {text}).second);
    };
    // A program that would run for an hour is running when Execute returns; it is ended from here.
    const std::tuple<int, const char*, std::pair<ScriptValue, ScriptValue>> rows[] = {
        {3600000, "0", {False, Integer(7)}},
        {0, "0", {False, Integer(0)}},
        {0, "259", {True, Integer(259)}}, // cannot be told from a running program
    };
    for (const auto& [milliseconds, code, exited] : rows) {
        const Result started = Call("Execute", {"\"" + HostFile(EXIT_AFTER_EXE) + "\" " + std::to_string(milliseconds) + " " + code});
        const std::int32_t id = ScriptHost::IntegerOf(started.second);
        const Utilities::ScopedHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, static_cast<DWORD>(id)));
        ASSERT_TRUE(started.first == 1 && process) << code;
        if (milliseconds > 0) {
            EXPECT_EQ(std::make_pair(True, Integer(259)), state(id));
            TerminateProcess(process.Get(), 7);
        }
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.Get(), 30000)) << code;
        EXPECT_EQ(exited, state(id)) << code;
    }
    EXPECT_EQ(std::make_pair(False, Integer(-1)), state(0));
    const std::string missing = "\"" + (folder / "missing.exe").string() + "\" argument";
    char systemText[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND, 0, systemText, 512, nullptr);
    EXPECT_EQ(Result(0, ScriptHost::Unset), Call("Execute", {missing}));
    EXPECT_EQ(std::vector<std::string>{"Execute ()\r\n\r\nDescription: Couldn't execute specified command line.\r\n\r\n"
                                       "GetLastError: (2) " + std::string(systemText) + "\r\nCommandLine: " + missing +
                                       "\r\nException: Execute (): Cannot execute '" + missing + "'\r\n"},
              dialogs.Texts());
}

TEST_F(LibraryTest, WaitHandlesExactlyOneWaitingMessageAndSleepsWithoutOne)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, 'A', 0); // translated into a WM_CHAR
    PostQuitMessage(7);
    std::vector<std::pair<UINT, WPARAM>> next;
    for (int call = 0; call < 3; ++call) {
        EXPECT_EQ(Result(1, ScriptHost::Unset), Call("Wait"));
        next.emplace_back(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) ? message.message : 0, message.wParam);
    }
    // The quit stays for the host's own loop, with its exit code.
    EXPECT_EQ((std::vector<std::pair<UINT, WPARAM>>{{WM_CHAR, 'a'}, {WM_QUIT, 7}, {WM_QUIT, 7}}), next);
    // Each call sleeps 5 ms without a message of its own, also while the
    // quit waits: a script polling while the host closes must not spin.
    for (const bool quitWaiting : {true, false}) {
        const auto before = std::chrono::steady_clock::now();
        for (int call = 0; call < 4; ++call) {
            Call("Wait");
        }
        EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(16)) << quitWaiting;
        EXPECT_EQ(quitWaiting, PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message == WM_QUIT);
    }
}

TEST_F(LibraryTest, IniValuesOfEveryLengthRoundTripAndEmptyNamesListSectionsOrKeys)
{
    const std::string file = (folder / "settings.ini").string();
    for (const std::string& value : {std::string("inner  blanks = signs"), std::string(), std::string(254, 'a'),
                                     std::string(255, 'b'), std::string(300, 'c'), std::string(5000, 'd')}) {
        EXPECT_EQ(Result(1, ScriptHost::Unset), Call("WriteINI", {file, "Section", "Key", value}));
        EXPECT_EQ(value, TextOf(Call("ReadINI", {file, "Section", "Key"}))) << value.size() << " characters";
        EXPECT_EQ("Key", TextOf(Call("ReadINI", {file, "Section", ""}))) << "an empty value keeps its key";
    }
    WriteFile(file, "[First]\r\na=1\r\nb=2\r\n[Empty]\r\n");
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str()); // forget what was cached of the file
    // A script sees a list up to its first NUL.
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"", ""}, "First"}, {{"", "a"}, "First"}, {{"First", ""}, "a"}, {{"Empty", ""}, ""}, {{"First", "b"}, "2"}, {{"First", "c"}, ""}};
    for (const auto& [names, read] : rows) {
        EXPECT_EQ(read, TextOf(Call("ReadINI", {file, names[0], names[1]}))) << names[0] << "/" << names[1];
    }
    EXPECT_EQ(std::string("First\0Empty\0", 12) + "|" + std::string("a\0b\0", 4),
              Utilities::Profile::ReadString(file, "", "") + "|" + Utilities::Profile::ReadString(file, "First", ""));
    EXPECT_EQ("", TextOf(Call("ReadINI", {(folder / "absent.ini").string(), "First", "a"})));
    EXPECT_EQ(Result(0, ScriptHost::Unset), Call("WriteINI", {(folder / "no folder/file.ini").string(), "S", "K", "v"}));
    EXPECT_EQ(std::vector<std::string>{"WriteINI ()\r\n\r\nException: Utilities.Profile: cannot set key value\r\n"},
              dialogs.Texts());
}

TEST_F(LibraryTest, TheUsersRegistrationComesFirstThenTheMachinesAndOneThatCannotBeReadIsReported)
{
    const std::string machine = "HKEY_LOCAL_MACHINE" + Registration.substr(Registration.find('\\'));
    const std::string present = (folder / "Vantrelle.exe").string(), absent = (folder / "Absent.exe").string();
    WriteFile(present, "program");
    const std::tuple<std::optional<std::string>, std::optional<std::string>, std::string> rows[] = { // user's, machine's, found
        {std::nullopt, std::nullopt, "1 \"\", 1 false"},
        {present, std::nullopt, "1 \"" + present + "\", 1 true"},
        {std::nullopt, present, "1 \"" + present + "\", 1 true"},
        {absent, present, "1 \"" + absent + "\", 1 false"},
        {"C:\\Van|trelle.exe", present, "0 (unset), 0 (unset)"},
    };
    for (const auto& [userPath, machinePath, found] : rows) {
        ScopedRegistryValue userValue(Registration, "ProgramPath"), machineValue(machine, "ProgramPath");
        userPath ? userValue.SetString(*userPath) : userValue.DeleteKey();
        machinePath ? machineValue.SetString(*machinePath) : machineValue.DeleteKey();
        const std::string path = Described("GetExtensionPath");
        EXPECT_EQ(found, path + ", " + Described("IsExtensionInstalled"));
    }
    const std::string invalid = "Invalid name \"Van|trelle.exe\" in path \"C:\\Van|trelle.exe\"";
    EXPECT_EQ((std::vector<std::string>{"GetExtensionPath ()\r\n\r\nException: " + invalid + "\r\n",
                                        "IsExtensionInstalled ()\r\n\r\nException: " + invalid + "\r\n"}),
              dialogs.Texts());
}

// Each system call that a function makes fails in turn: the function shows
// its dialog and returns 0, or returns 1 with its result or the one it gives
// when nothing is there to read; never does a failure reach the host.
TEST_F(LibraryTest, AFailingSystemCallEndsAFunctionWithItsDialogOrWithAResultItDocuments)
{
    Faults::Reroute(GetModuleHandleA("Loomlet.dll"));
    const std::string ini = (folder / "settings.ini").string(), program = (folder / "Vantrelle.exe").string();
    WriteFile(ini, "[S]\r\nK=v\r\n");
    WriteFile(program, "program");
    ScopedRegistryValue registration(Registration, "ProgramPath");
    registration.SetString(program);
    const std::tuple<const char*, std::vector<std::string>, std::string> rows[] = { // and the result when nothing is there
        {"WriteINI", {ini, "S", "K", "w"}, ""},
        {"ReadINI", {ini, "S", "K"}, "\"\""},
        {"IsExtensionInstalled", {}, "false"},
        {"GetExtensionPath", {}, "\"\""},
        {"Execute", {"\"" + (folder / "missing.exe").string() + "\""}, ""},
        {"IsProcessRunning", {std::to_string(GetCurrentProcessId())}, "false"},
        {"GetProcessExitCode", {std::to_string(GetCurrentProcessId())}, "-1"},
        {"Error", {"text"}, ""},
    };
    for (const auto& [function, arguments, empty] : rows) {
        Faults::Arm({});
        const std::string faultless = Described(function, arguments);
        const auto calls = static_cast<unsigned>(Faults::Disarm().size());
        for (unsigned call = 1; call <= calls; ++call) {
            const std::size_t shown = dialogs.Texts().size();
            Faults::Arm({call, ERROR_ACCESS_DENIED});
            const std::string seen = Described(function, arguments);
            Faults::Disarm();
            const bool dialog = dialogs.Texts().size() > shown;
            // Without its own module the library shows no dialog, never one of its host.
            const bool reported = seen == "0 (unset)" && (dialog || Faults::Failed() == "VirtualQuery");
            EXPECT_TRUE(reported || (!dialog && (seen == faultless || seen == "1 " + empty)))
                << function << ", call " << call << " of " << calls << ", " << Faults::Failed() << ": " << seen;
        }
    }
}
