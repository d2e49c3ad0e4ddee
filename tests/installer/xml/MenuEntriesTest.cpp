#include "DreamweaverInstaller.hpp"

#include "TestSupport.hpp"

#include <boost/algorithm/string/replace.hpp>
#include <gtest/gtest.h>

#include <regex>

using namespace TestSupport;
using boost::algorithm::replace_all_copy;
using boost::algorithm::replace_first_copy;

namespace {

const std::string WindowEntry =
    "<menuitem id=\"DWMenu_Window_VNL\" name=\"Vantrelle Extension\" enabled=\"dw.getFocus() != 'browser'\" "
    "command=\"dw.toggleFloater('VNLfloater')\" checked=\"dw.getFloaterVisibility ('VNLfloater')\" domRequired=\"false\" />";
const std::string InsertEntry =
    "<menuitem id=\"DWMenu_Insert_VNLobject\" name=\"Vantrelle\" enabled=\"dw.getFocus() != 'browser' && "
    "dw.getDocumentDOM() != null && dw.getDocumentDOM().getParseMode() == 'html'\" "
    "command=\"dw.getDocumentDOM ().insertObject ('VNLobject')\" />";
const std::string Separator = "<separator id=\"VNL_Object_sep\" />";
const std::string Button =
    "<button file=\"Common\\VNLobject.html\" id=\"VNL_Object\" image=\"Common\\VNLobject.png\" name=\"Vantrelle\" />";

// How the anchor tags of the sample files end.
const std::string HTMLAnchor = "id=\"DWMenu_Window_HTML\" />";
const std::string CommentAnchor = "id=\"DWMenu_Insert_Comment\" />";
const std::string ChooserAnchor = "command=\"dw.showTagChooser()\" />";

std::string After(const std::string& text, const std::string& anchor, const std::string& added)
{
    return replace_all_copy(text, anchor, anchor + added);
}

std::string WithMenuEntries(const std::string& menus, const std::string& after = "")
{
    return After(After(menus, CommentAnchor, "\n" + InsertEntry + after), HTMLAnchor, "\n" + WindowEntry + after);
}

std::string WithInsertBarEntries(const std::string& insertBar, const std::string& after = "")
{
    return After(insertBar, ChooserAnchor, "\n" + Separator + "\n" + Button + after);
}

// The sample files as the host writes them, with line feeds as the edits see them.
std::string Sample(const char* file)
{
    return replace_all_copy(ReadFile(HostFile(TEST_DATA_DIR "/Configuration/" + std::string(file))), "\r\n", "\n");
}

class MenuEntriesTest : public ::testing::Test {
protected:
    using Files = std::pair<std::string, std::string>;
    // Both files after the operation, written before with Windows line ends unless empty.
    Files Edit(void (Installer::DreamweaverInstaller::*operation)(const fs::path&), const Files& before = {})
    {
        for (const auto& [file, text] : {std::tie(menusFile, before.first), std::tie(insertBarFile, before.second)}) {
            text.empty() ? void() : WriteFile(file, replace_all_copy(text, "\n", "\r\n"));
        }
        (installer.*operation)(folder.path);
        return {replace_all_copy(ReadFile(menusFile), "\r\n", "\n"), replace_all_copy(ReadFile(insertBarFile), "\r\n", "\n")};
    }

    TempFolder folder;
    const fs::path menusFile = folder / "Menus/menus.xml", insertBarFile = folder / "Objects/insertbar.xml";
    const std::string menus = Sample("Menus/menus.xml"), insertBar = Sample("Objects/insertbar.xml");
    Installer::Log log;
    Installer::DreamweaverInstaller installer{"", log};
    static constexpr auto Add = &Installer::DreamweaverInstaller::AddMenuEntries;
    static constexpr auto Remove = &Installer::DreamweaverInstaller::RemoveMenuEntries;
};

} // namespace

TEST_F(MenuEntriesTest, EntriesGoOnceOnLinesOfTheirOwnAfterTheirAnchorsIfThereAreAnyAndComeOutLeavingTheirLineFeeds)
{
    EXPECT_EQ(Files(WithMenuEntries(menus), WithInsertBarEntries(insertBar)), Edit(Add, {menus, insertBar}));
    EXPECT_EQ(Files(WithMenuEntries(menus), WithInsertBarEntries(insertBar)), Edit(Add));
    EXPECT_EQ(Files(After(After(menus, CommentAnchor, "\n"), HTMLAnchor, "\n"), After(insertBar, ChooserAnchor, "\n\n")),
              Edit(Remove));
    EXPECT_EQ(Files(WithMenuEntries(menus, "\n"), WithInsertBarEntries(insertBar, "\n\n")), Edit(Add));
    // The button is looked for from the Common category on.
    const std::string buttonFirst = replace_first_copy(insertBar, "<category", Button + "\n<category");
    EXPECT_EQ(Files(WithMenuEntries(menus), WithInsertBarEntries(buttonFirst)), Edit(Add, {menus, buttonFirst}));
}

// The log says what became of each entry; an entry found alone goes alone.
// A file that an edit leaves as it was is not written: being read-only, it
// is no failure.
TEST_F(MenuEntriesTest, TheLogSaysOfEachEntryWhetherItWasAddedAlreadyThereRemovedOrNotThereAndAnUnchangedFileIsNotWritten)
{
    log.Open((folder / "Fitwright.log").string(), "-r");
    Edit(Remove, {After(menus, HTMLAnchor, "\n" + WindowEntry), After(insertBar, ChooserAnchor, "\n" + Separator)});
    Edit(Add);
    const auto setAttributes = [&](DWORD attributes) {
        SetFileAttributesW(menusFile.c_str(), attributes);
        SetFileAttributesW(insertBarFile.c_str(), attributes);
    };
    setAttributes(FILE_ATTRIBUTE_READONLY);
    Edit(Add);
    setAttributes(FILE_ATTRIBUTE_NORMAL);
    Edit(Remove, {menus, insertBar});
    const std::string text = ReadFile(folder / "Fitwright.log");
    const std::regex edited("\r\n(Edited|Left) \"[^\"]*\"(?: as it was)?: ([^\r]*)");
    std::vector<std::string> outcomes;
    for (std::sregex_iterator line(text.begin(), text.end(), edited), end; line != end; ++line) {
        outcomes.push_back((*line)[1].str() + ": " + (*line)[2].str());
    }
    EXPECT_EQ((std::vector<std::string>{"Edited: DWMenu_Window_VNL removed, DWMenu_Insert_VNLobject not there", "Edited: VNL_Object_sep removed, VNL_Object not there",
                                        "Edited: DWMenu_Window_VNL added, DWMenu_Insert_VNLobject added", "Edited: VNL_Object added",
                                        "Left: DWMenu_Window_VNL already there, DWMenu_Insert_VNLobject already there", "Left: VNL_Object already there",
                                        "Left: DWMenu_Window_VNL not there, DWMenu_Insert_VNLobject not there", "Left: VNL_Object_sep not there, VNL_Object not there"}),
              outcomes);
}
