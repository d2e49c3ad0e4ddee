#include "DreamweaverInstaller.hpp"

#include "HeldFile.hpp"
#include "TempFolder.hpp"

#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

using TestSupport::ReadFile;
using TestSupport::WriteFile;
using boost::algorithm::replace_all_copy;
namespace fs = boost::filesystem;

namespace {

const std::string WindowEntry =
    "<menuitem id=\"DWMenu_Window_VNL\" name=\"Vantrelle Extension\" enabled=\"dw.getFocus() != 'browser'\" "
    "command=\"dw.toggleFloater('VNLfloater')\" checked=\"dw.getFloaterVisibility ('VNLfloater')\" "
    "domRequired=\"false\" />";
const std::string InsertEntry =
    "<menuitem id=\"DWMenu_Insert_VNLobject\" name=\"Vantrelle\" enabled=\"dw.getFocus() != 'browser' && "
    "dw.getDocumentDOM() != null && dw.getDocumentDOM().getParseMode() == 'html'\" "
    "command=\"dw.getDocumentDOM ().insertObject ('VNLobject')\" />";
const std::string Separator = "<separator id=\"VNL_Object_sep\" />";
const std::string Button =
    "<button file=\"Common\\VNLobject.html\" id=\"VNL_Object\" image=\"Common\\VNLobject.png\" name=\"Vantrelle\" />";

const std::string CommentAnchor = "<menuitem name=\"Co_mment\" file=\"Objects/Invisibles/Comment.htm\" "
                                  "id=\"DWMenu_Insert_Comment\" />";
const std::string HTMLAnchor = "<menuitem name=\"_Code Inspector\" key=\"F10\" "
                               "command=\"dw.toggleFloater('html')\" id=\"DWMenu_Window_HTML\" />";
const std::string ChooserAnchor =
    "<button id=\"DW_TagChooser\" image=\"Common\\Tag_Chooser.png\" command=\"dw.showTagChooser()\" />";

// Files as the host writes them, in its own layout; the tests compare with
// Windows line ends, as the files are saved.
const std::string Menus =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- Main menus -->\n<menus>\n"
    "\t<menubar name=\"Main Window\" id=\"DWMainWindow\">\n\t\t<menu name=\"_Insert\" id=\"DWMenu_Insert\">\n"
    "\t\t\t<menuitem name=\"_Image\" key=\"Cmd+Alt+I\" id=\"DWMenu_Insert_Image\" />\n"
    "\t\t\t" + CommentAnchor + "\n\t\t\t<separator />\n\t\t</menu>\n\t\t<menu name=\"_Window\" id=\"DWMenu_Window\">\n"
    "\t\t\t" + HTMLAnchor + "\n\t\t\t<menuitem name=\"_Behaviors\" id=\"DWMenu_Window_Behaviors\" />\n"
    "\t\t</menu>\n\t</menubar>\n</menus>\n";
const std::string InsertBar =
    "<?xml version=\"1.0\"?>\n<insertbar>\n<category id=\"DW_Insertbar_Common\" folder=\"Common\">\n"
    "\t<button id=\"DW_Image\" image=\"Common\\Image.png\" file=\"Common\\Image.htm\" />\n"
    "\t" + ChooserAnchor + "\n</category>\n</insertbar>\n";

std::string Windows(const std::string& text)
{
    return replace_all_copy(text, "\n", "\r\n");
}

std::string AfterAnchor(const std::string& text, const std::string& anchor, const std::string& added)
{
    return replace_all_copy(text, anchor, anchor + added);
}

std::string WithMenuEntries(const std::string& menus, const std::string& after = "")
{
    return AfterAnchor(AfterAnchor(menus, CommentAnchor, "\n" + InsertEntry + after), HTMLAnchor,
                       "\n" + WindowEntry + after);
}

std::string WithInsertBarEntries(const std::string& insertBar, const std::string& after = "")
{
    return AfterAnchor(insertBar, ChooserAnchor, "\n" + Separator + "\n" + Button + after);
}

class MenuEntriesTest : public ::testing::Test {
protected:
    fs::path MenusFile() const { return folder / "Menus/menus.xml"; }
    fs::path InsertBarFile() const { return folder / "Objects/insertbar.xml"; }
    void WriteBoth(const std::string& menus, const std::string& insertBar)
    {
        WriteFile(MenusFile(), Windows(menus));
        WriteFile(InsertBarFile(), Windows(insertBar));
    }
    void ExpectBoth(const std::string& menus, const std::string& insertBar)
    {
        EXPECT_EQ(Windows(menus), ReadFile(MenusFile()));
        EXPECT_EQ(Windows(insertBar), ReadFile(InsertBarFile()));
    }

    TestSupport::TempFolder folder;
    Installer::DreamweaverInstaller installer{"-i"};
};

} // namespace

TEST_F(MenuEntriesTest, AddingPutsEachEntryOnItsOwnLineRightAfterItsAnchor)
{
    WriteBoth(Menus, InsertBar);
    installer.AddMenuEntries(folder.Path());
    ExpectBoth(WithMenuEntries(Menus), WithInsertBarEntries(InsertBar));
}

TEST_F(MenuEntriesTest, AddingWhatIsPresentChangesNothingButTheLineEnds)
{
    WriteFile(MenusFile(), WithMenuEntries(Menus));
    WriteFile(InsertBarFile(), WithInsertBarEntries(InsertBar));
    installer.AddMenuEntries(folder.Path());
    ExpectBoth(WithMenuEntries(Menus), WithInsertBarEntries(InsertBar));
}

TEST_F(MenuEntriesTest, RemovingTakesOutEachEntryAndLeavesTheLineFeedBeforeIt)
{
    WriteBoth(WithMenuEntries(Menus), WithInsertBarEntries(InsertBar));
    installer.RemoveMenuEntries(folder.Path());
    ExpectBoth(AfterAnchor(AfterAnchor(Menus, CommentAnchor, "\n"), HTMLAnchor, "\n"),
               AfterAnchor(InsertBar, ChooserAnchor, "\n\n"));
}

TEST_F(MenuEntriesTest, EachInstallLeavesOneMoreEmptyLinePerMenuItemAndTwoAfterTheButton)
{
    WriteBoth(WithMenuEntries(Menus), WithInsertBarEntries(InsertBar));
    for (const std::string extra : {"\n", "\n\n"}) {
        installer.RemoveMenuEntries(folder.Path());
        installer.AddMenuEntries(folder.Path());
        ExpectBoth(WithMenuEntries(Menus, extra), WithInsertBarEntries(InsertBar, extra + extra));
    }
}

TEST_F(MenuEntriesTest, InsertBarPresenceIsJudgedByTheButtonAfterTheCommonCategoryOnly)
{
    const std::string buttonFirst = replace_all_copy(InsertBar, "<category", Button + "\n<category");
    const std::string separatorOnly = AfterAnchor(InsertBar, ChooserAnchor, "\n" + Separator);
    const std::string noCategory = replace_all_copy(InsertBar, "DW_Insertbar_Common", "DW_Insertbar_Forms");
    const std::string noChooser = replace_all_copy(InsertBar, "DW_TagChooser", "DW_Other");
    const struct {
        const char* situation;
        std::string before, after;
    } rows[] = {
        {"button before the category", buttonFirst, WithInsertBarEntries(buttonFirst)},
        {"separator without button", separatorOnly, WithInsertBarEntries(InsertBar, "\n" + Separator)},
        {"no common category", noCategory, WithInsertBarEntries(noCategory)},
        {"no tag chooser", noChooser, noChooser},
    };
    for (const auto& row : rows) {
        WriteFile(InsertBarFile(), Windows(row.before));
        installer.AddMenuEntries(folder.Path());
        EXPECT_EQ(Windows(row.after), ReadFile(InsertBarFile())) << row.situation;
    }
}

TEST_F(MenuEntriesTest, AMissingMenuAnchorLeavesOutOnlyItsOwnEntry)
{
    const std::string noHTML = replace_all_copy(Menus, "DWMenu_Window_HTML", "DWMenu_Window_CSS");
    const std::string noComment = replace_all_copy(Menus, "DWMenu_Insert_Comment", "DWMenu_Insert_Table");
    const struct {
        std::string before, after;
    } rows[] = {
        {noHTML, AfterAnchor(noHTML, CommentAnchor, "\n" + InsertEntry)},
        {noComment, AfterAnchor(noComment, HTMLAnchor, "\n" + WindowEntry)},
    };
    for (const auto& row : rows) {
        WriteFile(MenusFile(), Windows(row.before));
        installer.AddMenuEntries(folder.Path());
        EXPECT_EQ(Windows(row.after), ReadFile(MenusFile()));
    }
}

TEST_F(MenuEntriesTest, AnEntryIsRemovedOnlyWhenItsNameAndIdAreReadAsWritten)
{
    const struct {
        std::string entry;
        bool removed;
    } rows[] = {
        {"<menuitem name=\"x\"\n\t  id=\"DWMenu_Window_VNL\" />", true},
        {"<menuitem\nid=\"DWMenu_Window_VNL\" />", false},
        {"<menuitem name=\"x\"\nid=\"DWMenu_Window_VNL\" />", false},
        {"<MenuItem id=\"DWMenu_Window_VNL\" />", false},
        {"<menuitem id=\"dwmenu_window_vnl\" />", false},
    };
    for (const auto& row : rows) {
        const std::string before = AfterAnchor(Menus, HTMLAnchor, "\n" + row.entry);
        WriteFile(MenusFile(), Windows(before));
        installer.RemoveMenuEntries(folder.Path());
        EXPECT_EQ(Windows(row.removed ? AfterAnchor(Menus, HTMLAnchor, "\n") : before), ReadFile(MenusFile()))
            << row.entry;
    }
}

TEST_F(MenuEntriesTest, AMissingFileIsNotCreatedAndTheOtherIsStillEdited)
{
    const struct {
        fs::path present, absent;
        std::string before, added;
    } rows[] = {
        {MenusFile(), InsertBarFile(), Menus, WithMenuEntries(Menus)},
        {InsertBarFile(), MenusFile(), InsertBar, WithInsertBarEntries(InsertBar)},
    };
    for (const auto& row : rows) {
        fs::remove(row.absent);
        WriteFile(row.present, Windows(row.before));
        installer.AddMenuEntries(folder.Path());
        EXPECT_EQ(Windows(row.added), ReadFile(row.present));
        installer.RemoveMenuEntries(folder.Path());
        EXPECT_FALSE(fs::exists(row.absent)) << row.absent;
    }
}

TEST_F(MenuEntriesTest, AnUnreadableMenusFileIsLeftAsItWas)
{
    WriteBoth(Menus, InsertBar);
    {
        const Utilities::ScopedHandle held = HoldOpen(MenusFile(), 0);
        installer.AddMenuEntries(folder.Path());
    }
    ExpectBoth(Menus, WithInsertBarEntries(InsertBar));
}
