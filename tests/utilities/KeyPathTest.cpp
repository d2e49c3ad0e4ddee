#include "KeyPath.hpp"

#include <gtest/gtest.h>

using namespace Utilities::Registry;

TEST(KeyPath, SplittingDropsEmptyComponentsAndKeepsBlanksAndSlashes)
{
    const struct {
        const char* path;
        std::vector<std::string> components;
    } cases[] = {
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\App Paths", {"HKEY_LOCAL_MACHINE", "SOFTWARE", "App Paths"}},
        {"hkey_current_user\\\\Software\\", {"hkey_current_user", "Software"}},
        {"\\HKEY_USERS\\a/b\\", {"HKEY_USERS", "a/b"}},
        {"HKEY_USERS", {"HKEY_USERS"}},
        {"", {}},
        {"\\\\", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitKeyPath(c.path), c.components) << c.path;
    }
}

TEST(KeyPath, JoiningCountsANonPositiveEndFromTheEnd)
{
    const std::vector<std::string> components{"HKEY_USERS", "a", "b"};
    EXPECT_EQ(JoinKeyPath(components, 0, 1), "HKEY_USERS");
    EXPECT_EQ(JoinKeyPath(components, 0, 0), "HKEY_USERS\\a\\b");
    EXPECT_EQ(JoinKeyPath(components, 1, 0), "a\\b");
    EXPECT_EQ(JoinKeyPath(components, 0, -1), "HKEY_USERS\\a");
    EXPECT_EQ(JoinKeyPath(components, 3, 0), "");
    EXPECT_EQ(JoinKeyPath({"HKEY_USERS"}, 1, 0), "");
    EXPECT_EQ(JoinKeyPath({}, 0, 1), "");
}

TEST(KeyPath, RootNamesMatchWholeInAnyLetterCase)
{
    EXPECT_EQ(FindRoot("HKEY_LOCAL_MACHINE"), Root::LocalMachine);
    EXPECT_EQ(FindRoot("hkey_local_machine"), Root::LocalMachine);
    EXPECT_EQ(FindRoot("Hkey_Current_User"), Root::CurrentUser);
    EXPECT_EQ(FindRoot("HKEY_CLASSES_ROOT"), Root::ClassesRoot);
    EXPECT_EQ(FindRoot("HKEY_CURRENT_CONFIG"), Root::CurrentConfig);
    EXPECT_EQ(FindRoot("HKEY_DYN_DATA"), Root::DynData);
    EXPECT_EQ(FindRoot("HKEY_USERS"), Root::Users);
    EXPECT_EQ(FindRoot("HKLM"), Root::None);
    EXPECT_EQ(FindRoot("HKEY_LOCAL_MACHINE2"), Root::None);
    EXPECT_EQ(FindRoot(""), Root::None);
}
