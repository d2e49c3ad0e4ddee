#include "LibraryFixture.hpp"

#include "Profile.hpp"
#include "TempFolder.hpp"

#include <windows.h>

namespace LibraryTest {
namespace {

class ProfileTest : public LibraryTest {
protected:
    std::string File(const std::string& name) const { return (folder / name).string(); }

    // Writes the file behind the profile functions and makes the system forget
    // what it cached of it.
    void WriteProfile(const std::string& file, const std::string& text)
    {
        TestSupport::WriteFile(file, text);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    }

    ScriptHost::CallResult WriteIni(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& value)
    {
        return Call("WriteINI", {Text(file), Text(section), Text(key), Text(value)});
    }
    std::string ReadIni(const std::string& file, const std::string& section, const std::string& key)
    {
        const auto call = Call("ReadINI", {Text(file), Text(section), Text(key)});
        EXPECT_EQ(call.returned, 1);
        EXPECT_TRUE(host.IsText(call.result));
        return host.TextOf(call.result);
    }

    TestSupport::TempFolder folder;
};

TEST_F(ProfileTest, ValuesOfEveryLengthSurviveARoundTrip)
{
    const std::string values[] = {"plain",
                                  "",
                                  "inner  blanks and = signs",
                                  std::string(254, 'a'),
                                  std::string(255, 'b'),
                                  std::string(300, 'c'),
                                  std::string(5000, 'd')};
    const std::string file = File("values.ini");
    for (const auto& value : values) {
        const auto write = WriteIni(file, "Section", "Key", value);
        EXPECT_EQ(write.returned, 1);
        EXPECT_EQ(write.result, ScriptHost::Unset);
        EXPECT_EQ(ReadIni(file, "Section", "Key"), value) << value.size() << " characters";
    }
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(ProfileTest, AnEmptyValueKeepsTheKey)
{
    const std::string file = File("empty.ini");
    WriteIni(file, "Section", "Key", "something");
    WriteIni(file, "Section", "Key", "");
    EXPECT_EQ(ReadIni(file, "Section", "Key"), "");
    EXPECT_EQ(Utilities::Profile::ReadString(file, "Section", ""), std::string("Key\0", 4));
}

TEST_F(ProfileTest, EmptyNamesListSectionsOrKeysEachEndedByNul)
{
    const std::string file = File("lists.ini");
    WriteProfile(file, "[First]\r\na=1\r\nb=2\r\n[Second]\r\nc=3\r\n[Empty]\r\n");
    struct Row {
        const char* section;
        const char* key;
        std::string expected;
    };
    const Row rows[] = {
        {"", "", std::string("First\0Second\0Empty\0", 19)},
        {"", "a", std::string("First\0Second\0Empty\0", 19)},
        {"First", "", std::string("a\0b\0", 4)},
        {"Empty", "", ""},
        {"Absent", "", ""},
        {"Second", "c", "3"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Utilities::Profile::ReadString(file, row.section, row.key), row.expected)
            << "[" << row.section << "] " << row.key;
    }
}

TEST_F(ProfileTest, ReadIniHandsAListOverAsNulTerminatedText)
{
    const std::string file = File("list.ini");
    WriteProfile(file, "[First]\r\na=1\r\n[Second]\r\n");
    // The host reads the text up to its first NUL: the first name.
    EXPECT_EQ(ReadIni(file, "", ""), "First");
    EXPECT_EQ(ReadIni(file, "First", ""), "a");
}

TEST_F(ProfileTest, LongListsAreReadWhole)
{
    std::string text;
    std::string expected;
    for (int index = 0; index < 400; ++index) {
        const std::string name = "Section" + std::to_string(index);
        text += "[" + name + "]\r\n";
        expected += name + '\0';
    }
    const std::string file = File("long.ini");
    WriteProfile(file, text);
    EXPECT_EQ(Utilities::Profile::ReadString(file, "", ""), expected);
}

TEST_F(ProfileTest, MissingFileSectionOrKeyReadsEmpty)
{
    const std::string file = File("present.ini");
    WriteProfile(file, "[Section]\r\nKey=value\r\n");
    EXPECT_EQ(ReadIni(File("absent.ini"), "Section", "Key"), "");
    EXPECT_EQ(ReadIni(file, "Other", "Key"), "");
    EXPECT_EQ(ReadIni(file, "Section", "Other"), "");
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(ProfileTest, WritingIntoAMissingFolderIsReportedAndGivesZero)
{
    const auto call = WriteIni(File("no such folder\\file.ini"), "Section", "Key", "value");
    EXPECT_EQ(call.returned, 0);
    EXPECT_EQ(DialogTexts(),
              std::vector<std::string>{"WriteINI ()\r\n\r\nException: Utilities.Profile: cannot set key value\r\n"});
}

} // namespace
} // namespace LibraryTest
