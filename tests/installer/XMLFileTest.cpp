#include "XMLFile.hpp"

#include "HeldFile.hpp"
#include "TempFolder.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

using TestSupport::ReadFile;
using TestSupport::WriteFile;
using Utilities::XMLFile;
namespace fs = boost::filesystem;

namespace {

bool IsMenuItem(const std::string& name, Utilities::TagAttributes&, XMLFile::TagType)
{
    return name == "menuitem";
}

std::vector<std::string> FolderContent(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

} // namespace

TEST(XMLFileTest, AnUneditedFileIsRewrittenWithWindowsLineEndsAndEveryByte)
{
    const struct {
        std::string before, after;
    } rows[] = {
        {"<a/>\n<b/>\n", "<a/>\r\n<b/>\r\n"},
        {"<a/>\r\n<b/>\r\n", "<a/>\r\n<b/>\r\n"},
        {std::string("<a/>\x1A\r\n\0\xFF<b/>\r", 13), std::string("<a/>\x1A\r\n\0\xFF<b/>\r", 13)},
        {"", ""},
    };
    for (const auto& row : rows) {
        TestSupport::TempFolder folder;
        WriteFile(folder / "menus.xml", row.before);
        { XMLFile file(folder / "menus.xml", true); }
        EXPECT_EQ(row.after, ReadFile(folder / "menus.xml"));
        EXPECT_EQ(std::vector<std::string>{"menus.xml"}, FolderContent(folder.Path())) << "temporary file left";
    }
}

TEST(XMLFileTest, WithoutWriteBackTheFileIsNotTouched)
{
    TestSupport::TempFolder folder;
    WriteFile(folder / "menus.xml", "<a/>\n");
    {
        XMLFile file(folder / "menus.xml", false);
        file.Insert(0, "<b/>");
    }
    EXPECT_EQ("<a/>\n", ReadFile(folder / "menus.xml"));
}

TEST(XMLFileTest, PositionsCountFoldedLineEndsAndEditsAreSaved)
{
    TestSupport::TempFolder folder;
    WriteFile(folder / "menus.xml", "\x1A<menu>\r\n<menuitem id='a' />\r\n</menu>\r\n");
    {
        XMLFile file(folder / "menus.xml", true);
        const XMLFile::Span span = file.Find(IsMenuItem, 0);
        EXPECT_EQ(XMLFile::Span(8, 27), span);
        file.Erase(span.first, span.second);
        file.Insert(8, "<separator />");
    }
    EXPECT_EQ("\x1A<menu>\r\n<separator />\r\n</menu>\r\n", ReadFile(folder / "menus.xml"));
}

TEST(XMLFileTest, AMissingFileIsCreatedWithTheEdits)
{
    TestSupport::TempFolder folder;
    {
        XMLFile file(folder / "menus.xml", true);
        file.Insert(0, "<menus>\n</menus>");
    }
    EXPECT_EQ("<menus>\r\n</menus>", ReadFile(folder / "menus.xml"));
}

TEST(XMLFileTest, AFileThatCannotBeReadOrWrittenOrIsReadOnlyStaysByteForByte)
{
    const struct {
        const char* hazard;
        DWORD shareMode;
        bool readOnly;
        bool freedBeforeSaving;
    } rows[] = {
        {"unreadable when loaded", 0, false, true},
        {"unreadable", 0, false, false},
        {"unwritable", FILE_SHARE_READ, false, false},
        {"open elsewhere, so not replaceable", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, false, false},
        {"read-only", 0, true, false},
    };
    const std::string original = "<menus>\n</menus>\n";
    for (const auto& row : rows) {
        TestSupport::TempFolder folder;
        const fs::path path = folder / "menus.xml";
        WriteFile(path, original);
        if (row.readOnly) {
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        {
            Utilities::ScopedHandle held = row.readOnly ? Utilities::ScopedHandle() : HoldOpen(path, row.shareMode);
            XMLFile file(path, true);
            file.Insert(0, "<edit/>");
            if (row.freedBeforeSaving) {
                held.Close();
            }
        }
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(original, ReadFile(path)) << row.hazard;
        EXPECT_EQ(std::vector<std::string>{"menus.xml"}, FolderContent(folder.Path())) << row.hazard;
    }
}

TEST(XMLFileTest, SavingKeepsTheFileAttributes)
{
    TestSupport::TempFolder folder;
    const fs::path path = folder / "menus.xml";
    WriteFile(path, "<a/>");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    {
        XMLFile file(path, true);
        file.Insert(4, "<b/>");
    }
    EXPECT_EQ("<a/><b/>", ReadFile(path));
    EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}
