#include "LibraryFixture.hpp"

namespace LibraryTest {
namespace {

const std::vector<std::pair<std::string, std::uint32_t>> ExpectedFunctions = {
    {"WriteINI", 4},         {"ReadINI", 3},           {"IsExtensionInstalled", 0},
    {"GetExtensionPath", 0}, {"Execute", 1},           {"IsProcessRunning", 1},
    {"GetProcessExitCode", 1}, {"Wait", 0},            {"Error", 1},
};

std::vector<std::pair<std::string, std::uint32_t>> Registered(const ScriptHost& host)
{
    std::vector<std::pair<std::string, std::uint32_t>> registered;
    for (const auto& entry : host.Registrations()) {
        registered.emplace_back(entry.name, entry.argumentCount);
    }
    return registered;
}

struct TableCase {
    const char* name;
    std::size_t size;
    bool registersAll;
};

const TableCase TableCases[] = {
    {"empty table", 0, false},
    {"only the library object", sizeof(void*), false},
    {"library object and DefineFunction", 2 * sizeof(void*), true},
    {"two entries and a partial third", 2 * sizeof(void*) + 3, true},
    {"one entry and half of DefineFunction", sizeof(void*) + sizeof(void*) / 2, false},
    {"full table", ScriptHost::FullSize, true},
    {"table of 40 entries", 40 * sizeof(void*), true},
};

using EnvironmentTest = LibraryTest;

TEST_F(EnvironmentTest, RegistersTheNineFunctionsInOrderWhenDefineFunctionIsPresent)
{
    for (const auto& row : TableCases) {
        // The host places the table right before unreadable memory: reading
        // past its end would fault.
        host.Initialize(row.size);
        const auto expected = row.registersAll ? ExpectedFunctions : decltype(ExpectedFunctions){};
        EXPECT_EQ(Registered(host), expected) << row.name;
    }
}

TEST_F(EnvironmentTest, ANullTableLeavesEveryEntryNull)
{
    host.Initialize(ScriptHost::FullSize);
    const NativeFunction readIni = host.Registrations().at(1).function;
    host.InitializeWithNull(ScriptHost::FullSize);
    ScriptValue arguments[] = {Text("a"), Text("b"), Text("c")};
    ScriptValue result = ScriptHost::Unset;
    EXPECT_EQ(readIni(&host, nullptr, 3, arguments, &result), 1);
    EXPECT_EQ(result, ScriptHost::Unset);
    EXPECT_EQ(host.Calls(ScriptHost::ValueToString), 0);
    EXPECT_EQ(host.Calls(ScriptHost::StringToValue), 0);
}

TEST_F(EnvironmentTest, TwoEntriesAreEnoughForIsProcessRunningOfProcessZero)
{
    host.Initialize(2 * sizeof(void*));
    const auto call = Call("IsProcessRunning", {ScriptHost::Integer(0)});
    EXPECT_EQ(call.returned, 1);
    EXPECT_EQ(call.result, ScriptFalse);
}

TEST_F(EnvironmentTest, WithoutValueToStringATextArgumentIsEmpty)
{
    host.Initialize(ScriptHost::FullSize, {ScriptHost::ValueToString});
    EXPECT_EQ(Call("Error", {Text("not shown")}).returned, 1);
    EXPECT_EQ(DialogTexts(), std::vector<std::string>{""});
}

TEST_F(EnvironmentTest, WithoutValueToIntegerTheProcessIdIsZero)
{
    host.Initialize(ScriptHost::FullSize, {ScriptHost::ValueToInteger});
    const auto call = Call("GetProcessExitCode", {ScriptHost::Integer(static_cast<std::int32_t>(GetCurrentProcessId()))});
    EXPECT_EQ(call.returned, 1);
    EXPECT_EQ(ScriptHost::IntegerOf(call.result), -1);
}

TEST_F(EnvironmentTest, WithoutStringToValueTextResultsLeaveTheSlotAlone)
{
    host.Initialize(ScriptHost::FullSize, {ScriptHost::StringToValue});
    const auto path = Call("GetExtensionPath");
    EXPECT_EQ(path.returned, 1);
    EXPECT_EQ(path.result, ScriptHost::Unset);
    const auto read = Call("ReadINI", {Text("C:\\absent.ini"), Text("s"), Text("k")});
    EXPECT_EQ(read.returned, 1);
    EXPECT_EQ(read.result, ScriptHost::Unset);
    EXPECT_TRUE(DialogTexts().empty());
}

} // namespace
} // namespace LibraryTest
