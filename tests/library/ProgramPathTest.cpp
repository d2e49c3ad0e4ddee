#include "LibraryFixture.hpp"
#include "ProgramPath.hpp"

#include "ScopedRegistry.hpp"
#include "TempFolder.hpp"

#include <algorithm>
#include <functional>
#include <optional>

namespace LibraryTest {
namespace {

class ProgramPathTest : public LibraryTest {
protected:
    ProgramPathTest()
    {
        TestSupport::DeleteRegistryTree(UserKey);
        TestSupport::DeleteRegistryTree(MachineKey);
        TestSupport::WriteFile(present, "program");
    }

    // What GetExtensionPath and IsExtensionInstalled give, or their failures.
    std::string Lookup()
    {
        const auto path = Call("GetExtensionPath");
        const auto installed = Call("IsExtensionInstalled");
        if (path.returned + installed.returned == 0 && path.result == installed.result) {
            return installed.result == ScriptHost::Unset ? "failed" : "?";
        }
        return host.TextOf(path.result) + (installed.result == ScriptTrue ? " (installed)" : " (not installed)");
    }

    const std::string UserKey = PluginKeyPath(Dreamweaver);
    const std::string MachineKey = "HKEY_LOCAL_MACHINE" + UserKey.substr(UserKey.find('\\'));
    TestSupport::TempFolder folder;
    const std::string present = (folder / "Vantrelle.exe").string();
    const std::string absent = (folder / "Absent.exe").string();
};

TEST_F(ProgramPathTest, TheUsersRegistrationComesFirstThenTheMachines)
{
    std::string forward = present;
    std::replace(forward.begin(), forward.end(), '\\', '/');
    const struct {
        std::optional<std::string> user, machine;
        std::string found;
    } rows[] = {
        {std::nullopt, std::nullopt, " (not installed)"},
        {present, std::nullopt, present + " (installed)"},
        {std::nullopt, present, present + " (installed)"},
        {absent, present, absent + " (not installed)"},
        {forward, std::nullopt, present + " (installed)"},
    };
    for (const auto& row : rows) {
        TestSupport::ScopedRegistryValue user(UserKey, ProgramPathValue);
        TestSupport::ScopedRegistryValue machine(MachineKey, ProgramPathValue);
        if (row.user) {
            user.SetString(*row.user);
        }
        if (row.machine) {
            machine.SetString(*row.machine);
        }
        EXPECT_EQ(row.found, Lookup());
    }
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(ProgramPathTest, AUserRegistrationThatCannotBeReadIsShownAndGivesZero)
{
    TestSupport::ScopedRegistryValue machine(MachineKey, ProgramPathValue);
    machine.SetString(present);
    const struct {
        std::function<void(TestSupport::ScopedRegistryValue&)> set;
        std::string failure;
    } rows[] = {
        {[](auto& value) { value.SetDword(1); }, "Incompatible value type of \"" + UserKey + "\\ProgramPath\""},
        {[](auto& value) { value.SetString("x"); value.Delete(); }, "Cannot get value \"" + UserKey + "\\ProgramPath\""},
        {[](auto& value) { value.SetString("C:\\Van|trelle.exe"); }, "Invalid name \"Van|trelle.exe\" in path \"C:\\Van|trelle.exe\""},
    };
    std::vector<std::string> expected;
    for (const auto& row : rows) {
        TestSupport::ScopedRegistryValue user(UserKey, ProgramPathValue);
        row.set(user);
        EXPECT_EQ("failed", Lookup()) << row.failure;
        for (const char* function : {"GetExtensionPath", "IsExtensionInstalled"}) {
            expected.push_back(std::string(function) + " ()\r\n\r\nException: " + row.failure + "\r\n");
        }
    }
    EXPECT_EQ(expected, DialogTexts());
}

} // namespace
} // namespace LibraryTest
