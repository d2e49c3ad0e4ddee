#include "Registry.hpp"

#include "FailureText.hpp"
#include "ScopedRegistry.hpp"

#include <gtest/gtest.h>

#include <deque>

using TestSupport::FailureText;
using Utilities::Registry::Key;
using Utilities::Registry::Value;

namespace {

const std::string TestKey = "HKEY_CURRENT_USER\\Software\\VantrelleTests";

struct RegistryTest : ::testing::Test {
    ~RegistryTest() override { TestSupport::DeleteRegistryTree(TestKey); }
};

// The string a value reads as, or the text of the failure to read it.
std::string ReadOutcome(const Value& value)
{
    try {
        return value.GetString();
    } catch (const std::exception& failure) {
        return failure.what();
    }
}

} // namespace

TEST_F(RegistryTest, ValuesReadAsTheStringTheyHoldOrFailNamingTheValueInFull)
{
    const struct {
        const char* name;
        DWORD type;
        std::string bytes;
        std::string read;
    } rows[] = {
        {"Plain", REG_SZ, std::string("C:\\Program Files\\V\0", 19), "C:\\Program Files\\V"},
        {"Expandable", REG_EXPAND_SZ, std::string("%SystemRoot%\\x\0", 15), "%SystemRoot%\\x"},
        {"Multi", REG_MULTI_SZ, std::string("first\0second\0\0", 14), "first"},
        {"Unterminated", REG_SZ, "abc", "abc"},
        {"Empty", REG_SZ, "", ""},
        {"EmbeddedNul", REG_SZ, std::string("ab\0cd", 5), "ab"},
        {"Number", REG_DWORD, "\4\3\2\1",
         "Incompatible value type of \"HKEY_CURRENT_USER\\Software\\VantrelleTests\\Number\""},
    };
    const Key key(TestKey);
    std::deque<TestSupport::ScopedRegistryValue> stored;
    for (const auto& row : rows) {
        stored.emplace_back(TestKey, row.name).SetRaw(row.type, row.bytes);
    }
    for (const auto& row : rows) {
        const Value value(key, row.name);
        EXPECT_TRUE(value.Exists()) << row.name;
        EXPECT_EQ(row.read, ReadOutcome(value)) << row.name;
    }
    std::string data;
    std::uint32_t type = 0;
    Value(key, "Number").Read(data, type);
    EXPECT_EQ(std::make_pair(std::string("\4\3\2\1"), std::uint32_t{REG_DWORD}), std::make_pair(data, type));
}

TEST_F(RegistryTest, AMissingOrUnnamedKeyOrValueDoesNotExistAndCannotBeRead)
{
    TestSupport::ScopedRegistryValue stored(TestKey, "Name");
    stored.SetString("text");
    const struct {
        std::string key, value;
        bool keyExists;
    } rows[] = {
        {TestKey, "Missing", true},
        {TestKey + "\\Missing", "Name", false},
        {"HKCU\\Software\\VantrelleTests", "Name", false},
    };
    for (const auto& row : rows) {
        const Key key(row.key);
        EXPECT_EQ(row.keyExists, key.Exists()) << row.key;
        EXPECT_FALSE(Value(key, row.value).Exists()) << row.key;
        EXPECT_EQ("Cannot get value \"" + row.key + "\\" + row.value + "\"", ReadOutcome(Value(key, row.value)));
    }
}

TEST_F(RegistryTest, RootNamesInAnyCaseAndStrayBackslashesNameTheSameKey)
{
    TestSupport::ScopedRegistryValue stored(TestKey, "Name");
    stored.SetString("text");
    Key key("\\hkey_current_user\\\\Software\\VantrelleTests\\");
    EXPECT_EQ("text", Value(key, "Name").GetString());
    EXPECT_EQ("hkey_current_user\\Software\\VantrelleTests\\Name", Value(key, "Name").GetFullName());
    key.SetRootName(Utilities::Registry::LocalMachine);
    EXPECT_EQ("HKEY_LOCAL_MACHINE", key.GetRootName());
    EXPECT_FALSE(Value(key, "Name").Exists());
    const Key root("HKEY_CURRENT_USER");
    EXPECT_TRUE(root.Exists());
    EXPECT_EQ("", root.GetSubKeyPath());
}
