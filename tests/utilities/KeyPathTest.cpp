#include "KeyPath.hpp"

#include <gtest/gtest.h>

using namespace Utilities::Registry;

TEST(KeyPath, RootsMatchByTheirFullNamesInAnyCase)
{
    const std::pair<const char*, Root> roots[] = {
        {"HKEY_CLASSES_ROOT", Root::ClassesRoot}, {"hkey_current_config", Root::CurrentConfig},
        {"Hkey_Current_User", Root::CurrentUser}, {"HKEY_DYN_DATA", Root::DynData}, {"HKEY_LOCAL_MACHINE", Root::LocalMachine},
        {"HKEY_USERS", Root::Users}, {"HKLM", Root::None}, {"HKEY_USERS2", Root::None}, {"", Root::None},
    };
    for (const auto& [name, root] : roots) {
        EXPECT_EQ(root, FindRoot(name)) << name;
    }
}
