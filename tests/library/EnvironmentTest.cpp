#include "LibraryFixture.hpp"

namespace LibraryTest {
namespace {

using EnvironmentTest = LibraryTest;

TEST_F(EnvironmentTest, TheNineFunctionsRegisterInOrderWhenTheTableHoldsDefineFunction)
{
    const std::vector<std::pair<std::string, std::uint32_t>> all = {
        {"WriteINI", 4},         {"ReadINI", 3}, {"IsExtensionInstalled", 0},   {"GetExtensionPath", 0}, {"Execute", 1},
        {"IsProcessRunning", 1}, {"GetProcessExitCode", 1}, {"Wait", 0}, {"Error", 1},
    };
    const std::pair<std::size_t, bool> rows[] = {
        {0, false},
        {sizeof(void*), false},
        {sizeof(void*) + sizeof(void*) / 2, false},
        {2 * sizeof(void*), true},
        {2 * sizeof(void*) + 3, true},
        {ScriptHost::FullSize, true},
        {40 * sizeof(void*), true},
    };
    for (const auto& [size, registered] : rows) {
        // The table ends right before unreadable memory: reading past it faults.
        host.Initialize(size);
        std::vector<std::pair<std::string, std::uint32_t>> seen;
        for (const auto& entry : host.Registrations()) {
            seen.emplace_back(entry.name, entry.argumentCount);
        }
        EXPECT_EQ(registered ? all : decltype(all){}, seen) << size << " bytes";
    }
    host.Initialize(2 * sizeof(void*));
    const auto call = Call("IsProcessRunning", {ScriptHost::Integer(static_cast<std::int32_t>(GetCurrentProcessId()))});
    EXPECT_EQ(std::make_pair(1, ScriptFalse), std::make_pair(call.returned, call.result)) << "process 0";
}

TEST_F(EnvironmentTest, MissingConversionsGiveEmptyTextsAndZeroAndLeaveTheResultAlone)
{
    host.Initialize(ScriptHost::FullSize, {ScriptHost::ValueToString, ScriptHost::ValueToInteger, ScriptHost::StringToValue});
    const auto error = Call("Error", {Text("not shown")});
    const auto exitCode = Call("GetProcessExitCode", {ScriptHost::Integer(static_cast<std::int32_t>(GetCurrentProcessId()))});
    const auto path = Call("GetExtensionPath");
    const auto read = Call("ReadINI", {Text("C:\\absent.ini"), Text("s"), Text("k")});
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1}), (std::vector<int>{error.returned, exitCode.returned, path.returned, read.returned}));
    EXPECT_EQ(-1, ScriptHost::IntegerOf(exitCode.result)) << "process 0";
    EXPECT_EQ(std::make_pair(ScriptHost::Unset, ScriptHost::Unset), std::make_pair(path.result, read.result));
    EXPECT_EQ(std::vector<std::string>{""}, DialogTexts());
}

TEST_F(EnvironmentTest, ANullTableLeavesEveryEntryNull)
{
    const NativeFunction readIni = host.Registrations().at(1).function;
    host.InitializeWithNull(ScriptHost::FullSize);
    ScriptValue arguments[] = {Text("a"), Text("b"), Text("c")};
    ScriptValue result = ScriptHost::Unset;
    EXPECT_EQ(1, readIni(&host, nullptr, 3, arguments, &result));
    EXPECT_EQ(ScriptHost::Unset, result);
    EXPECT_EQ(0, host.Calls(ScriptHost::ValueToString) + host.Calls(ScriptHost::StringToValue));
}

TEST_F(EnvironmentTest, AWrongArgumentCountIsReportedWithoutConvertingOrStoringAnything)
{
    const struct {
        const char* function;
        std::size_t given;
        const char* message;
    } rows[] = {
        {"Execute", 0, "Function expects 1 arguments, but 0 has been provided."},
        {"Execute", 2, "Function expects 1 arguments, but 2 have been provided."},
        {"WriteINI", 1, "Function expects 4 arguments, but 1 has been provided."},
        {"ReadINI", 4, "Function expects 3 arguments, but 4 have been provided."},
        {"Wait", 1, "Function expects 0 arguments, but 1 has been provided."},
        {"IsExtensionInstalled", 1, "Function expects 0 arguments, but 1 has been provided."},
        {"GetExtensionPath", 3, "Function expects 0 arguments, but 3 have been provided."},
        {"IsProcessRunning", 0, "Function expects 1 arguments, but 0 has been provided."},
        {"GetProcessExitCode", 2, "Function expects 1 arguments, but 2 have been provided."},
        {"Error", 0, "Function expects 1 arguments, but 0 has been provided."},
    };
    std::vector<std::string> expected;
    for (const auto& row : rows) {
        host.Initialize(ScriptHost::FullSize);
        const auto call = Call(row.function, std::vector<ScriptValue>(row.given, Text("1")));
        EXPECT_EQ(std::make_pair(0, ScriptHost::Unset), std::make_pair(call.returned, call.result)) << row.function;
        EXPECT_EQ(0, host.Calls(ScriptHost::ValueToString) + host.Calls(ScriptHost::ValueToInteger)) << row.function;
        expected.push_back(row.message);
    }
    EXPECT_EQ(expected, DialogTexts());
}

} // namespace
} // namespace LibraryTest
