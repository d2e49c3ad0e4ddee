#include "XMLFile.hpp"

#include "HeldFile.hpp"
#include "TempFolder.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/system/error_code.hpp>
#include <gtest/gtest.h>

using TestSupport::ReadFile;
using TestSupport::WriteFile;
using Utilities::XMLFile;
namespace fs = boost::filesystem;

namespace {

bool IsMenuItem(const std::string& name, Utilities::TagAttributes&, XMLFile::TagType) { return name == "menuitem"; }

std::vector<std::string> FolderContent(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

} // namespace

TEST(XMLFile, EveryByteSurvivesAndLineEndsAreSavedAsWindowsWritesThem)
{
    const struct {
        std::string before, after;
    } rows[] = {
        {"<a/>\n<b/>\n", "<a/>\r\n<b/>\r\n"},
        {std::string("<a/>\x1A\r\n\0\xFF<b/>\r", 13), std::string("<a/>\x1A\r\n\0\xFF<b/>\r", 13)},
        {"", ""},
    };
    for (const auto& row : rows) {
        TestSupport::TempFolder folder;
        WriteFile(folder / "menus.xml", row.before);
        ASSERT_TRUE(SetFileAttributesW((folder / "menus.xml").c_str(), FILE_ATTRIBUTE_HIDDEN));
        { XMLFile file(folder / "menus.xml", true); }
        EXPECT_EQ(row.after, ReadFile(folder / "menus.xml"));
        EXPECT_TRUE(GetFileAttributesW((folder / "menus.xml").c_str()) & FILE_ATTRIBUTE_HIDDEN);
        EXPECT_EQ(std::vector<std::string>{"menus.xml"}, FolderContent(folder.Path())) << "a temporary file left";
    }
}

TEST(XMLFile, EditsAtPositionsOfTheFoldedTextAreSavedOnlyWithWriteBack)
{
    TestSupport::TempFolder folder;
    for (const bool writeBack : {false, true}) {
        WriteFile(folder / "menus.xml", "\x1A<menu>\r\n<menuitem id='a' />\r\n</menu>\r\n");
        {
            XMLFile file(folder / "menus.xml", writeBack);
            const XMLFile::Span span = file.Find(IsMenuItem, 0);
            EXPECT_EQ(XMLFile::Span(8, 27), span);
            file.Erase(span.first, span.second);
            file.Insert(8, "<separator />");
        }
        EXPECT_EQ(writeBack ? "\x1A<menu>\r\n<separator />\r\n</menu>\r\n" : "\x1A<menu>\r\n<menuitem id='a' />\r\n</menu>\r\n",
                  ReadFile(folder / "menus.xml"));
    }
    { XMLFile file(folder / "new.xml", true); file.Insert(0, "<menus>\n</menus>"); }
    EXPECT_EQ("<menus>\r\n</menus>", ReadFile(folder / "new.xml"));
}

TEST(XMLFile, AFileThatCannotBeReadOrReplacedIsLeftAsItWasAndTheReasonThrown)
{
    const struct {
        const char* hazard;
        DWORD shareMode; // of another program's handle, held while loading and saving
        bool readOnly;
        DWORD reason;
    } rows[] = {
        {"held open against reading", 0, false, ERROR_SHARING_VIOLATION},
        {"held open for reading only", FILE_SHARE_READ, false, ERROR_SHARING_VIOLATION},
        {"held open, sharing everything", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, false, ERROR_SHARING_VIOLATION},
        {"read-only", 0, true, ERROR_ACCESS_DENIED},
    };
    const std::string original = "<menus>\n</menus>\n";
    for (const auto& row : rows) {
        TestSupport::TempFolder folder;
        const fs::path path = folder / "menus.xml";
        WriteFile(path, original);
        SetFileAttributesW(path.c_str(), row.readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        std::string failure = "none";
        try {
            const auto held = row.readOnly ? Utilities::ScopedHandle() : HoldOpen(path, row.shareMode);
            XMLFile file(path, true);
            file.Insert(0, "<edit/>");
        } catch (const std::runtime_error& error) {
            failure = error.what();
        }
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(boost::system::error_code(static_cast<int>(row.reason), boost::system::system_category()).message(), failure)
            << row.hazard;
        EXPECT_EQ(original, ReadFile(path)) << row.hazard;
        EXPECT_EQ(std::vector<std::string>{"menus.xml"}, FolderContent(folder.Path())) << row.hazard;
    }
}
