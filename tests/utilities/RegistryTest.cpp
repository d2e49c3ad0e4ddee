#include "Registry.hpp"

#include "FailureText.hpp"
#include "ScopedRegistry.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

using Utilities::Registry::Key;
using Utilities::Registry::Value;
using TestSupport::ScopedRegistryValue;

namespace {

const char* const TestSubKey = "Software\\VantrelleTests\\Registry";
const std::string TestKeyPath = std::string("HKEY_CURRENT_USER\\") + TestSubKey;

class RegistryTest : public ::testing::Test {
protected:
    ~RegistryTest() override { TestSupport::DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\VantrelleTests"); }

    ScopedRegistryValue& Set(const std::string& name)
    {
        values.push_back(std::make_unique<ScopedRegistryValue>(HKEY_CURRENT_USER, TestSubKey, name));
        return *values.back();
    }

    std::vector<std::unique_ptr<ScopedRegistryValue>> values;
};

template <class Failure>
std::string FailureText(const Value& value)
{
    return TestSupport::FailureText<Failure>([&] { value.GetString(); });
}

} // namespace

TEST_F(RegistryTest, RootNamesInAnyCaseAndExtraBackslashesNameTheSameKey)
{
    Set("Name").SetString("text");
    const Key key("hkey_current_user\\\\Software\\VantrelleTests\\\\Registry\\");
    const Value value(key, "Name");
    EXPECT_TRUE(key.Exists());
    EXPECT_TRUE(value.Exists());
    EXPECT_EQ(value.GetString(), "text");
    EXPECT_EQ(key.GetRootName(), "hkey_current_user");
    EXPECT_EQ(key.GetSubKeyPath(), TestSubKey);
    EXPECT_EQ(value.GetFullName(), std::string("hkey_current_user\\") + TestSubKey + "\\Name");
}

TEST_F(RegistryTest, UnknownRootNamesNothing)
{
    Set("Name").SetString("text");
    const Key key(std::string("HKCU\\") + TestSubKey);
    const Value value(key, "Name");
    EXPECT_FALSE(key.Exists());
    EXPECT_FALSE(value.Exists());
    EXPECT_EQ(key.GetRootHandle(), nullptr);
    EXPECT_EQ(FailureText<std::runtime_error>(value),
              "Cannot get value \"HKCU\\Software\\VantrelleTests\\Registry\\Name\"");
}

TEST_F(RegistryTest, APathOfOnlyARootNamesTheRootKey)
{
    const Key key("HKEY_CURRENT_USER");
    EXPECT_TRUE(key.Exists());
    EXPECT_EQ(key.GetSubKeyPath(), "");
    EXPECT_EQ(Value(key, "NoSuchValue").GetFullName(), "HKEY_CURRENT_USER\\NoSuchValue");
}

TEST_F(RegistryTest, StringTypesReadAsStoredWithoutExpansion)
{
    Set("Plain").SetString("C:\\Program Files\\Vantrelle");
    Set("Expandable").SetString("%SystemRoot%\\x", REG_EXPAND_SZ);
    Set("Multi").SetRaw(REG_MULTI_SZ, std::string("first\0second\0\0", 14));
    const Key key(TestKeyPath);
    EXPECT_EQ(Value(key, "Plain").GetString(), "C:\\Program Files\\Vantrelle");
    EXPECT_EQ(Value(key, "Expandable").GetString(), "%SystemRoot%\\x");
    EXPECT_EQ(Value(key, "Multi").GetString(), "first");
}

TEST_F(RegistryTest, StringDataWithoutTerminatorOrBytesReadsAsItsStoredCharacters)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* expected;
    } cases[] = {
        {"Empty", std::string(), ""},
        {"Unterminated", std::string("abc"), "abc"},
        {"OneCharacter", std::string("x"), "x"},
        {"EmbeddedNul", std::string("ab\0cd", 5), "ab"},
        {"Terminated", std::string("abc\0", 4), "abc"},
    };
    for (const auto& c : cases) {
        Set(c.name).SetRaw(REG_SZ, c.bytes);
    }
    const Key key(TestKeyPath);
    for (const auto& c : cases) {
        EXPECT_EQ(Value(key, c.name).GetString(), c.expected) << c.name;
    }
}

TEST_F(RegistryTest, NonStringValuesExistButAreNoString)
{
    Set("Number").SetDword(0x01020304);
    const Key key(TestKeyPath);
    const Value value(key, "Number");
    EXPECT_TRUE(value.Exists());
    EXPECT_EQ(FailureText<std::invalid_argument>(value),
              "Incompatible value type of \"HKEY_CURRENT_USER\\Software\\VantrelleTests\\Registry\\Number\"");

    std::string data;
    std::uint32_t type = 0;
    value.Read(data, type);
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_DWORD));
    EXPECT_EQ(data, std::string("\x04\x03\x02\x01", 4));
}

TEST_F(RegistryTest, AMissingValueUnderAnExistingKey)
{
    Set("Other").SetString("x");
    const Key key(TestKeyPath);
    const Value value(key, "Missing");
    EXPECT_TRUE(key.Exists());
    EXPECT_FALSE(value.Exists());
    EXPECT_EQ(FailureText<std::runtime_error>(value),
              "Cannot get value \"HKEY_CURRENT_USER\\Software\\VantrelleTests\\Registry\\Missing\"");
}

TEST_F(RegistryTest, AMissingKey)
{
    const Key key(TestKeyPath + "\\Missing");
    EXPECT_FALSE(key.Exists());
    EXPECT_FALSE(Value(key, "Any").Exists());
    EXPECT_EQ(FailureText<std::runtime_error>(Value(key, "Any")),
              "Cannot get value \"HKEY_CURRENT_USER\\Software\\VantrelleTests\\Registry\\Missing\\Any\"");
}

TEST_F(RegistryTest, SettingTheRootNameMovesTheKey)
{
    Key key("HKEY_LOCAL_MACHINE\\" + std::string(TestSubKey));
    Set("Name").SetString("user");
    EXPECT_FALSE(Value(key, "Name").Exists());
    key.SetRootName(Utilities::Registry::CurrentUser);
    EXPECT_EQ(Value(key, "Name").GetString(), "user");
}
