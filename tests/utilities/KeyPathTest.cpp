#include "KeyPath.hpp"

#include <gtest/gtest.h>

using namespace Utilities::Registry;

TEST(KeyPath, SplittingDropsEmptyComponentsAndKeepsBlanksAndSlashes)
{
    const struct {
        const char* path;
        std::vector<std::string> components;
    } rows[] = {
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\App Paths", {"HKEY_LOCAL_MACHINE", "SOFTWARE", "App Paths"}},
        {"\\hkey_users\\\\a/b\\", {"hkey_users", "a/b"}},
        {"\\\\", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.components, SplitKeyPath(row.path)) << row.path;
        EXPECT_EQ(SplitKeyPath(JoinKeyPath(row.components, 0, 0)), row.components) << row.path;
    }
    const std::vector<std::string> components{"HKEY_USERS", "a", "b"};
    EXPECT_EQ("HKEY_USERS", JoinKeyPath(components, 0, 1));
    EXPECT_EQ("HKEY_USERS\\a\\b", JoinKeyPath(components, 0, 0));
    EXPECT_EQ("a\\b", JoinKeyPath(components, 1, 0));
    EXPECT_EQ("", JoinKeyPath({"HKEY_USERS"}, 1, 0));
}

TEST(KeyPath, RootNamesMatchWholeInAnyLetterCase)
{
    const std::pair<const char*, Root> rows[] = {
        {"HKEY_CLASSES_ROOT", Root::ClassesRoot}, {"hkey_current_config", Root::CurrentConfig},
        {"Hkey_Current_User", Root::CurrentUser}, {"HKEY_DYN_DATA", Root::DynData},
        {"HKEY_LOCAL_MACHINE", Root::LocalMachine}, {"HKEY_USERS", Root::Users},
        {"HKLM", Root::None}, {"HKEY_USERS2", Root::None}, {"", Root::None},
    };
    for (const auto& [name, root] : rows) {
        EXPECT_EQ(root, FindRoot(name)) << name;
    }
}
