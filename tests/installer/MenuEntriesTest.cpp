#include "DreamweaverInstaller.hpp"
#include "Exception.hpp"

#include "FailureText.hpp"
#include "HeldFile.hpp"
#include "Paths.hpp"
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
const std::string HTMLAnchor = "<menuitem name=\"_Code Inspector\" key=\"F10\" id=\"DWMenu_Window_HTML\" />";
const std::string ChooserAnchor = "<button id=\"DW_TagChooser\" image=\"Common\\Tag_Chooser.png\" />";

// The files as the host writes them; they are saved with Windows line ends.
const std::string Menus = "<?xml version=\"1.0\"?>\n<menus>\n\t<menu name=\"_Insert\" id=\"DWMenu_Insert\">\n\t\t" +
                          CommentAnchor + "\n\t\t<separator />\n\t</menu>\n\t<menu name=\"_Window\">\n\t\t" + HTMLAnchor +
                          "\n\t</menu>\n</menus>\n";
const std::string InsertBar = "<?xml version=\"1.0\"?>\n<insertbar>\n<category id=\"DW_Insertbar_Common\">\n\t" +
                              ChooserAnchor + "\n</category>\n</insertbar>\n";

std::string Windows(const std::string& text) { return replace_all_copy(text, "\n", "\r\n"); }

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

class MenuEntriesTest : public ::testing::Test {
protected:
    fs::path MenusFile() const { return folder / "Menus/menus.xml"; }
    fs::path InsertBarFile() const { return folder / "Objects/insertbar.xml"; }
    void Write(const std::string& menus, const std::string& insertBar)
    {
        WriteFile(MenusFile(), Windows(menus));
        WriteFile(InsertBarFile(), Windows(insertBar));
    }
    std::pair<std::string, std::string> Files() const { return {ReadFile(MenusFile()), ReadFile(InsertBarFile())}; }
    static std::pair<std::string, std::string> Expected(const std::string& menus, const std::string& insertBar)
    {
        return {Windows(menus), Windows(insertBar)};
    }

    TestSupport::TempFolder folder;
    Installer::DreamweaverInstaller installer{""};
};

} // namespace

TEST_F(MenuEntriesTest, EntriesGoOnLinesOfTheirOwnAfterTheirAnchorsOnceAndComeOutLeavingTheirLineFeeds)
{
    Write(Menus, InsertBar);
    installer.AddMenuEntries(folder.Path());
    EXPECT_EQ(Expected(WithMenuEntries(Menus), WithInsertBarEntries(InsertBar)), Files());
    installer.AddMenuEntries(folder.Path());
    EXPECT_EQ(Expected(WithMenuEntries(Menus), WithInsertBarEntries(InsertBar)), Files());
    installer.RemoveMenuEntries(folder.Path());
    EXPECT_EQ(Expected(After(After(Menus, CommentAnchor, "\n"), HTMLAnchor, "\n"), After(InsertBar, ChooserAnchor, "\n\n")),
              Files());
    installer.AddMenuEntries(folder.Path());
    EXPECT_EQ(Expected(WithMenuEntries(Menus, "\n"), WithInsertBarEntries(InsertBar, "\n\n")), Files());
}

TEST_F(MenuEntriesTest, EntriesAreAddedWhereTheirAnchorsAreAndTheButtonIsLookedForAfterTheCommonCategory)
{
    const std::string buttonFirst = replace_all_copy(InsertBar, "<category", Button + "\n<category");
    const std::string separatorOnly = After(InsertBar, ChooserAnchor, "\n" + Separator);
    const std::string noCategory = replace_all_copy(InsertBar, "DW_Insertbar_Common", "DW_Insertbar_Forms");
    const std::string noChooser = replace_all_copy(InsertBar, "DW_TagChooser", "DW_Other");
    const std::string noHTML = replace_all_copy(Menus, "DWMenu_Window_HTML", "DWMenu_Window_CSS");
    const std::string noComment = replace_all_copy(Menus, "DWMenu_Insert_Comment", "DWMenu_Insert_Table");
    const struct {
        std::string menus, insertBar, addedMenus, addedInsertBar;
    } rows[] = {
        {noHTML, buttonFirst, After(noHTML, CommentAnchor, "\n" + InsertEntry), WithInsertBarEntries(buttonFirst)},
        {noComment, separatorOnly, After(noComment, HTMLAnchor, "\n" + WindowEntry),
         WithInsertBarEntries(InsertBar, "\n" + Separator)},
        {Menus, noCategory, WithMenuEntries(Menus), WithInsertBarEntries(noCategory)},
        {Menus, noChooser, WithMenuEntries(Menus), noChooser},
    };
    for (const auto& row : rows) {
        Write(row.menus, row.insertBar);
        installer.AddMenuEntries(folder.Path());
        EXPECT_EQ(Expected(row.addedMenus, row.addedInsertBar), Files()) << row.insertBar;
    }
}

TEST_F(MenuEntriesTest, AnEntryIsRemovedOnlyWhenItsNameAndIdAreReadAsWritten)
{
    const std::pair<std::string, bool> rows[] = {
        {"<menuitem name=\"x\"\n\t  id=\"DWMenu_Window_VNL\" />", true},
        {"<menuitem\nid=\"DWMenu_Window_VNL\" />", false},
        {"<menuitem name=\"x\"\nid=\"DWMenu_Window_VNL\" />", false},
        {"<MenuItem id=\"DWMenu_Window_VNL\" />", false},
        {"<menuitem id=\"dwmenu_window_vnl\" />", false},
    };
    for (const auto& [entry, removed] : rows) {
        const std::string before = After(Menus, HTMLAnchor, "\n" + entry);
        Write(before, InsertBar);
        installer.RemoveMenuEntries(folder.Path());
        EXPECT_EQ(Windows(removed ? After(Menus, HTMLAnchor, "\n") : before), ReadFile(MenusFile())) << entry;
    }
}

TEST_F(MenuEntriesTest, AMissingFileIsNotCreatedAndTheOtherIsStillEdited)
{
    WriteFile(InsertBarFile(), Windows(InsertBar));
    installer.AddMenuEntries(folder.Path());
    installer.RemoveMenuEntries(folder.Path());
    EXPECT_FALSE(fs::exists(MenusFile()));
    EXPECT_EQ(Windows(After(InsertBar, ChooserAnchor, "\n\n")), ReadFile(InsertBarFile()));
}

TEST_F(MenuEntriesTest, AFileThatCannotBeReadEndsTheEditNamingItAndStaysAsItWas)
{
    Write(Menus, InsertBar);
    std::string failure;
    {
        const auto held = HoldOpen(InsertBarFile(), 0);
        failure = TestSupport::FailureText<Installer::Exception>([&] { installer.AddMenuEntries(folder.Path()); });
    }
    const std::string start = "Installer: Cannot edit \"" + Utilities::NativeText(InsertBarFile()) + "\" (";
    EXPECT_EQ(start, failure.substr(0, start.size()));
    EXPECT_EQ(Expected(WithMenuEntries(Menus), InsertBar), Files());
}
