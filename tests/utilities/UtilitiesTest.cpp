#include "Paths.hpp"
#include "Registry.hpp"

#include "TestSupport.hpp"

#include <gtest/gtest.h>

#include <deque>

using namespace TestSupport;
using Utilities::Registry::Key;
using Utilities::Registry::Value;

// The end-to-end tests read an expandable and a number value.
TEST(Registry, ValuesReadAsTheStringTheyHoldOrFailNamingTheValueInFull)
{
    const std::string test = "HKEY_CURRENT_USER\\Software\\VantrelleTests";
    const std::tuple<const char*, DWORD, std::string, std::string> rows[] = {
        {"Plain", REG_SZ, std::string("C:\\V\0", 5), "C:\\V"},
        {"Multi", REG_MULTI_SZ, std::string("first\0second\0\0", 14), "first"},
        {"Unterminated", REG_SZ, "abc", "abc"},
        {"Empty", REG_SZ, "", ""},
        {"Absent", REG_NONE, "", "Cannot get value \"" + test + "\\Absent\""},
    };
    std::deque<ScopedRegistryValue> stored;
    const auto read = [](const Value& value) { return std::make_pair(value.Exists(), TextOrFailure([&] { return value.GetString(); })); };
    for (const auto& [name, type, bytes, text] : rows) {
        type == REG_NONE ? (void)0 : stored.emplace_back(test, name).SetRaw(type, bytes);
    }
    Key key(test);
    for (const auto& [name, type, bytes, text] : rows) {
        EXPECT_EQ(std::make_pair(type != REG_NONE, text), read(Value(key, name)));
    }
    for (const std::string root : {"HKCU", "HKEY_LOCAL_MACHINE"}) {
        key.SetRootName(root);
        EXPECT_FALSE(key.Exists());
        EXPECT_EQ(std::make_pair(false, "Cannot get value \"" + root + "\\Software\\VantrelleTests\\Plain\""), read(Value(key, "Plain")));
    }
    EXPECT_TRUE(Key("HKEY_CURRENT_USER").Exists() && Key("HKEY_CURRENT_USER").GetSubKeyPath().empty());
}

// A value of the 64-bit view is read where it is asked for: a 32-bit program
// reads another view as its own, a 64-bit one the same.
TEST(Registry, AKeyIsReadInTheViewItNames)
{
    const std::string path = "HKEY_LOCAL_MACHINE\\SOFTWARE\\VantrelleTests";
    ScopedRegistryValue stored(path, "Wide", KEY_WOW64_64KEY);
    stored.SetString("C:\\Program Files");
    const Key own(path), wide(path, Utilities::Registry::View::SixtyFourBit);
    EXPECT_EQ(std::make_pair(sizeof(void*) == 8, true), std::make_pair(Value(own, "Wide").Exists(), Value(wide, "Wide").Exists()));
}

// A registry text becomes a path without trailing separators; a root keeps its own.
TEST(Paths, RegistryTextsBecomePathsWithoutTrailingSeparators)
{
    for (const auto& [text, path] : {std::pair(L"C:\\Program Files\\DW\\/", "C:\\Program Files\\DW"), std::pair(L"C:\\", "C:\\"),
                                     std::pair(L"\\", "\\"), std::pair(L"D:", "D:")}) {
        EXPECT_EQ(path, Utilities::NativeText(Utilities::MakePath(text)));
    }
}
