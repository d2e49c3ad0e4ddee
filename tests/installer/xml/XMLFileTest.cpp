#include "XMLFile.hpp"

#include "Faults.hpp"
#include "TestSupport.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <algorithm>

using namespace TestSupport;
using Utilities::XMLFile;

namespace {

// The names in a folder: no temporary file may be left behind.
std::vector<std::string> FolderContent(const fs::path& folder)
{
    std::vector<std::string> names;
    std::transform(fs::directory_iterator(folder), {}, std::back_inserter(names), [](const auto& entry) { return entry.path().filename().string(); });
    return names;
}

} // namespace

// Over a MiB, so that reading and writing take more than one pass.
TEST(XMLFile, EditsAtPositionsOfTheFoldedTextAreSavedWithWindowsLineEndsAndEveryOtherByte)
{
    TempFolder folder;
    const fs::path file = folder / "menus.xml";
    std::string lineEnds;
    while (lineEnds.size() < 3 << 19) {
        lineEnds += "\r\n";
    }
    const auto bytes = [&](const auto& literal) { return std::string(literal, sizeof literal - 1) + lineEnds; };
    const std::string before = bytes("\x1A<menu>\r\n<menuitem id='a' />\n\0\xFF</menu>\r");
    const auto isMenuItem = [](const std::string& name, Utilities::TagAttributes&, XMLFile::TagType) { return name == "menuitem"; };
    for (const bool writeBack : {false, true}) {
        WriteFile(file, before);
        {
            XMLFile xml(file, writeBack);
            const XMLFile::Span span = xml.Find(isMenuItem, 0);
            EXPECT_EQ(XMLFile::Span(8, 27), span);
            xml.Erase(span.first, span.second);
            xml.Insert(8, "<separator />");
        }
        EXPECT_TRUE((writeBack ? bytes("\x1A<menu>\r\n<separator />\r\n\0\xFF</menu>\r") : before) == ReadFile(file));
        EXPECT_EQ(std::vector<std::string>{"menus.xml"}, FolderContent(folder.path)) << "a temporary file left";
    }
    {
        XMLFile xml(folder / "new.xml", true);
        xml.Insert(0, "<menus>\n</menus>");
    }
    EXPECT_EQ("<menus>\r\n</menus>", ReadFile(folder / "new.xml"));
}

// A new text that may not have reached the disk is not saved: a failed
// flush or close of it leaves the file as it was. The one failure of
// ReplaceFileW that leaves the file in the backup: the file gets its name
// back, or when that fails too, is kept and named. Its failures for a file
// held for a moment are tried again.
TEST(XMLFile, ASaveFailingAtTheFlushOrTheCloseKeepsTheFileAndOneLeftInTheBackupGetsItsNameBackOrIsNamed)
{
    TempFolder folder;
    const fs::path path = folder / "menus.xml";
    const auto save = [&] {
        XMLFile file(path, true);
        file.Insert(0, "<edit/>");
    };
    WriteFile(path, "<menus/>");
    Faults::Arm({});
    save();
    const auto calls = Faults::Disarm();
    const auto flushing = std::find(calls.begin(), calls.end(), "FlushFileBuffers");
    // From the flush on: the first call of the function fails, with the next one when two fail.
    const std::tuple<const char*, DWORD, unsigned> rows[] = {
        {"FlushFileBuffers", ERROR_DISK_FULL, 1}, {"CloseHandle", ERROR_DISK_FULL, 1},
        {"ReplaceFileW", ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, 1}, {"ReplaceFileW", ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, 2}, // and the move back
    };
    for (const auto& [function, code, failing] : rows) {
        WriteFile(path, "<menus/>");
        Faults::Arm({static_cast<unsigned>(std::find(flushing, calls.end(), function) - calls.begin()) + 1, code, failing});
        const std::string failure = TextOrFailure(save);
        Faults::Disarm();
        const auto names = FolderContent(folder.path);
        ASSERT_EQ(1u, names.size()) << function;
        EXPECT_EQ("<menus/>", ReadFile(folder / names.front())) << function;
        EXPECT_EQ(failing == 1 ? Reason(code) : Reason(code) + " The file is kept as \"" + (folder / names.front()).string() + "\".", failure);
        EXPECT_EQ(failing == 1, names.front() == "menus.xml") << function;
    }
    // Windows' answers when another program holds the file for a moment
    // (both leave the files as they were) are waited out.
    for (const DWORD code : {ERROR_UNABLE_TO_REMOVE_REPLACED, ERROR_UNABLE_TO_MOVE_REPLACEMENT}) {
        fs::remove_all(folder.path);
        WriteFile(path, "<menus/>");
        Faults::Arm({1, code, 1, "ReplaceFileW"});
        EXPECT_EQ("", TextOrFailure(save)) << code;
        Faults::Disarm();
        EXPECT_EQ("ReplaceFileW", Faults::Failed());
        EXPECT_EQ("<edit/><menus/>", ReadFile(path)) << code;
        EXPECT_EQ(std::vector<std::string>{"menus.xml"}, FolderContent(folder.path)) << code;
    }
}
