#include "LibraryFixture.hpp"

#include "ScopedRegistry.hpp"
#include "TempFolder.hpp"

#include <boost/algorithm/string/replace.hpp>

#include <optional>

namespace LibraryTest {
namespace {

const char* const PluginKey = "Software\\Brantel\\Vantrelle\\Plugin\\Dreamweaver";
const char* const UserKeyName = "HKEY_CURRENT_USER\\Software\\Brantel\\Vantrelle\\Plugin\\Dreamweaver";

class ProgramPathTest : public LibraryTest {
protected:
    ProgramPathTest()
    {
        TestSupport::DeleteRegistryTree(HKEY_CURRENT_USER, PluginKey);
        TestSupport::DeleteRegistryTree(HKEY_LOCAL_MACHINE, PluginKey);
    }

    std::string ExtensionPath()
    {
        const auto call = Call("GetExtensionPath");
        EXPECT_EQ(call.returned, 1);
        return host.TextOf(call.result);
    }
    ScriptValue IsInstalled()
    {
        const auto call = Call("IsExtensionInstalled");
        EXPECT_EQ(call.returned, 1);
        return call.result;
    }

    TestSupport::TempFolder folder;
};

TEST_F(ProgramPathTest, TheUserEntryComesFirstThenTheMachineEntry)
{
    const std::string present = (folder / "Vantrelle.exe").string();
    TestSupport::WriteFile(present, "program");
    const std::string absent = (folder / "Absent.exe").string();
    std::string forward = present;
    boost::algorithm::replace_all(forward, "\\", "/");
    struct Row {
        const char* name;
        std::optional<std::string> user;
        std::optional<std::string> machine;
        std::string path;
        ScriptValue installed;
    };
    const Row rows[] = {
        {"no key", std::nullopt, std::nullopt, "", ScriptFalse},
        {"user only", present, std::nullopt, present, ScriptTrue},
        {"machine only", std::nullopt, present, present, ScriptTrue},
        {"both, the user's missing on disk", absent, present, absent, ScriptFalse},
        {"forward slashes", forward, std::nullopt, present, ScriptTrue},
        {"missing on disk", std::nullopt, absent, absent, ScriptFalse},
    };
    for (const auto& row : rows) {
        TestSupport::ScopedRegistryValue user(HKEY_CURRENT_USER, PluginKey, "ProgramPath");
        TestSupport::ScopedRegistryValue machine(HKEY_LOCAL_MACHINE, PluginKey, "ProgramPath");
        if (row.user) {
            user.SetString(*row.user);
        }
        if (row.machine) {
            machine.SetString(*row.machine);
        }
        EXPECT_EQ(ExtensionPath(), row.path) << row.name;
        EXPECT_EQ(IsInstalled(), row.installed) << row.name;
    }
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(ProgramPathTest, LookupFailuresAreShownAndGiveZero)
{
    struct Row {
        const char* name;
        std::function<void(TestSupport::ScopedRegistryValue&)> set;
        std::string exception;
    };
    const Row rows[] = {
        {"not a string", [](auto& value) { value.SetDword(1); },
         std::string("Incompatible value type of \"") + UserKeyName + "\\ProgramPath\""},
        {"user key without the value", [](auto& value) { value.SetString("x"); value.Delete(); },
         std::string("Cannot get value \"") + UserKeyName + "\\ProgramPath\""},
        {"invalid name", [](auto& value) { value.SetString("C:\\Program Files\\Van|trelle.exe"); },
         "Invalid name \"Van|trelle.exe\" in path \"C:\\Program Files\\Van|trelle.exe\""},
    };
    TestSupport::ScopedRegistryValue machine(HKEY_LOCAL_MACHINE, PluginKey, "ProgramPath");
    machine.SetString((folder / "Vantrelle.exe").string());
    for (const auto& row : rows) {
        TestSupport::ScopedRegistryValue user(HKEY_CURRENT_USER, PluginKey, "ProgramPath");
        row.set(user);
        const auto path = Call("GetExtensionPath");
        const auto installed = Call("IsExtensionInstalled");
        EXPECT_EQ(path.returned, 0) << row.name;
        EXPECT_EQ(path.result, ScriptHost::Unset) << row.name;
        EXPECT_EQ(installed.returned, 0) << row.name;
        EXPECT_EQ(installed.result, ScriptHost::Unset) << row.name;
        const std::vector<std::string> expected = {
            "GetExtensionPath ()\r\n\r\nException: " + row.exception + "\r\n",
            "IsExtensionInstalled ()\r\n\r\nException: " + row.exception + "\r\n"};
        const auto texts = DialogTexts();
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(std::vector<std::string>(texts.end() - 2, texts.end()), expected) << row.name;
    }
}

} // namespace
} // namespace LibraryTest
