#include "KeyPath.hpp"

#include <gtest/gtest.h>

using namespace Utilities::Registry;

TEST(KeyPath, SplittingDropsEmptyComponentsJoiningPutsSingleBackslashesAndRootsMatchInAnyCase)
{
    EXPECT_EQ((std::vector<std::string>{"hkey_users", "a/b", "App Paths"}), SplitKeyPath("\\hkey_users\\\\a/b\\App Paths\\"));
    EXPECT_TRUE(SplitKeyPath("\\\\").empty());
    const std::vector<std::string> components{"HKEY_USERS", "a", "b"};
    EXPECT_EQ((std::vector<std::string>{"HKEY_USERS", "HKEY_USERS\\a\\b", "a\\b", ""}),
              (std::vector<std::string>{JoinKeyPath(components, 0, 1), JoinKeyPath(components, 0, 0),
                                        JoinKeyPath(components, 1, 0), JoinKeyPath({"HKEY_USERS"}, 1, 0)}));
    const std::pair<const char*, Root> roots[] = {
        {"HKEY_CLASSES_ROOT", Root::ClassesRoot}, {"hkey_current_config", Root::CurrentConfig},
        {"Hkey_Current_User", Root::CurrentUser}, {"HKEY_DYN_DATA", Root::DynData}, {"HKEY_LOCAL_MACHINE", Root::LocalMachine},
        {"HKEY_USERS", Root::Users}, {"HKLM", Root::None}, {"HKEY_USERS2", Root::None}, {"", Root::None},
    };
    for (const auto& [name, root] : roots) {
        EXPECT_EQ(root, FindRoot(name)) << name;
    }
}
