#include "LibraryFixture.hpp"

namespace LibraryTest {
namespace {

struct CountCase {
    const char* function;
    std::size_t given;
    const char* message;
};

const CountCase CountCases[] = {
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

using ArgumentCountTest = LibraryTest;

TEST_F(ArgumentCountTest, WrongCountIsReportedWithoutConvertingOrStoring)
{
    for (const auto& row : CountCases) {
        host.Initialize(ScriptHost::FullSize);
        const std::vector<ScriptValue> arguments(row.given, ScriptHost::Integer(0));
        const auto call = Call(row.function, arguments);
        EXPECT_EQ(call.returned, 0) << row.function;
        EXPECT_EQ(call.result, ScriptHost::Unset) << row.function;
        EXPECT_EQ(host.Calls(ScriptHost::ValueToString) + host.Calls(ScriptHost::ValueToInteger), 0)
            << row.function;
    }
    std::vector<std::string> expected;
    for (const auto& row : CountCases) {
        expected.push_back(row.message);
    }
    EXPECT_EQ(DialogTexts(), expected);
}

} // namespace
} // namespace LibraryTest
