#include "LibraryFixture.hpp"

#include "Profile.hpp"
#include "TempFolder.hpp"

namespace LibraryTest {
namespace {

class ProfileTest : public LibraryTest {
protected:
    ScriptHost::CallResult WriteIni(const std::string& section, const std::string& key, const std::string& value)
    {
        return Call("WriteINI", {Text(file), Text(section), Text(key), Text(value)});
    }
    std::string ReadIni(const std::string& file, const std::string& section, const std::string& key)
    {
        const auto call = Call("ReadINI", {Text(file), Text(section), Text(key)});
        EXPECT_EQ(1, call.returned);
        return host.TextOf(call.result);
    }
    // Writes the file behind the profile functions and makes the system
    // forget what it cached of it.
    void WriteProfile(const std::string& text)
    {
        TestSupport::WriteFile(file, text);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    }

    TestSupport::TempFolder folder;
    const std::string file = (folder / "settings.ini").string();
};

TEST_F(ProfileTest, ValuesOfEveryLengthAroundTheBufferSizesSurviveARoundTrip)
{
    for (const std::string& value : {std::string("inner  blanks = signs"), std::string(), std::string(254, 'a'),
                                     std::string(255, 'b'), std::string(300, 'c'), std::string(5000, 'd')}) {
        const auto write = WriteIni("Section", "Key", value);
        EXPECT_EQ(std::make_pair(1, ScriptHost::Unset), std::make_pair(write.returned, write.result));
        EXPECT_EQ(value, ReadIni(file, "Section", "Key")) << value.size() << " characters";
    }
    EXPECT_EQ(std::string("Key\0", 4), Utilities::Profile::ReadString(file, "Section", "")) << "an empty value keeps its key";
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(ProfileTest, EmptyNamesListSectionsOrKeysEachEndedByNulAndMissingOnesReadEmpty)
{
    std::string sections;
    std::string expected;
    for (int index = 0; index < 300; ++index) {
        sections += "[Section" + std::to_string(index) + "]\r\n";
        expected += "Section" + std::to_string(index) + '\0';
    }
    WriteProfile("[First]\r\na=1\r\nb=2\r\n[Empty]\r\n" + sections);
    const struct {
        const char* section;
        const char* key;
        std::string read;
    } rows[] = {
        {"", "", std::string("First\0Empty\0", 12) + expected},
        {"", "a", std::string("First\0Empty\0", 12) + expected},
        {"First", "", std::string("a\0b\0", 4)},
        {"Empty", "", ""},
        {"Absent", "", ""},
        {"First", "b", "2"},
        {"First", "c", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.read, Utilities::Profile::ReadString(file, row.section, row.key)) << row.section << "/" << row.key;
    }
    EXPECT_EQ("First", ReadIni(file, "", "")) << "a script sees a list up to its first NUL";
    EXPECT_EQ("", ReadIni((folder / "absent.ini").string(), "First", "a"));
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(ProfileTest, AWriteThatFailsIsShownAndGivesZero)
{
    const auto call = Call("WriteINI", {Text((folder / "no such folder\\file.ini").string()), Text("S"), Text("K"), Text("v")});
    EXPECT_EQ(0, call.returned);
    EXPECT_EQ(std::vector<std::string>{"WriteINI ()\r\n\r\nException: Utilities.Profile: cannot set key value\r\n"},
              DialogTexts());
}

} // namespace
} // namespace LibraryTest
