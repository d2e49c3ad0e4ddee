// The real Fitwright.exe, started as a child process against a Dreamweaver
// layout set up in a temporary folder and the test prefix's registry.
#include "Layout.hpp"

#include "Paths.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <regex>

using namespace TestSupport;
using Utilities::Exists;
using Utilities::NativeText;

namespace {

// What a run ended with: its exit code, then how many boxes of each kind
// ("Error", "Installer", "Usage") it showed.
using Outcome = std::vector<long>;

class EndToEndTest : public ::testing::Test, protected DreamweaverLayout {
protected:
    Outcome Run(const std::string& arguments, int promptAnswer = IDABORT)
    {
        const auto any = DialogWatcher::Scope::AnyProcess;
        const DialogWatcher errors("Error", 0xFFFF, DialogWatcher::Pressing(IDOK), any);
        const DialogWatcher prompts("Installer", 0xFFFF, DialogWatcher::Pressing(promptAnswer), any);
        const DialogWatcher usages("Usage", 0xFFFF, DialogWatcher::Pressing(IDOK), any);
        std::string commandLine = "\"" + HostFile(FITWRIGHT_EXE) + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started = {};
        EXPECT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, distribution.string().c_str(),
                                   &startup, &started));
        const Utilities::ScopedHandle process(started.hProcess), thread(started.hThread);
        DWORD exitCode = 0;
        if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &exitCode)) {
            ADD_FAILURE() << "no end within a minute: " << arguments;
            TerminateProcess(process.Get(), 1);
        }
        lastError = errors.Texts().empty() ? "" : errors.Texts().back();
        return {long(exitCode), long(errors.Texts().size()), long(prompts.Texts().size()), long(usages.Texts().size())};
    }

    // Whether every file is in place as a copy of its source and each entry
    // there once, or no file and no entry is left (the folders stay).
    void Expect(bool installed, const fs::path& configuration)
    {
        for (const auto& [folder, file] : ConfigurationFiles) {
            const fs::path target = configuration / folder / file;
            EXPECT_EQ(installed ? ReadFile(Source(file)) : "absent", Exists(target) ? ReadFile(target) : "absent");
            EXPECT_TRUE(Exists(target.parent_path()));
        }
        const std::string files = ReadFile(Menus(configuration)) + ReadFile(InsertBar(configuration));
        for (const std::string id : {"DWMenu_Window_VNL\"", "DWMenu_Insert_VNLobject\"", "VNL_Object_sep\"", "VNL_Object\""}) {
            const size_t at = files.find("id=\"" + id);
            EXPECT_EQ(installed, at != std::string::npos && at == files.rfind("id=\"" + id)) << configuration << " " << id;
        }
    }

    std::string lastError;
};

} // namespace

TEST_F(EndToEndTest, InstallingTwiceReinstallingAndUninstallingLeaveOneSetOfEverythingThenNone)
{
    WriteFile(obsolete, "old release");
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("--install"));
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-i"));
    Expect(true, Configuration());
    Expect(true, user);
    EXPECT_FALSE(Exists(obsolete));
    EXPECT_EQ(ReadFile(Source("Loomlet.js")) + ReadFile(Source("VNLExtensionEN.mxp")), ReadFile(SharedScript()) + ReadFile(Package("VNLExtensionEN.mxp")));
    WriteFile(Source("VNLHelpEN.html"), "a newer help page");
    WriteFile(obsolete, "removed by an install only");
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-r"));
    EXPECT_EQ("a newer help page", ReadFile(user / "Help/VNLHelpEN.html"));
    EXPECT_FALSE(Exists(obsolete));
    WriteFile(obsolete, "removed by an install only");
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("--uninstall"));
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-u"));
    Expect(false, Configuration());
    Expect(false, user);
    EXPECT_TRUE(Exists(obsolete) && Exists(SharedScript().parent_path()));
    EXPECT_FALSE(Exists(SharedScript()) || Exists(Package("VNLExtensionEN.mxi")) || Exists(Package("VNLExtensionEN.mxp")));
}

// An Extension Manager registered without a folder names no place for packages.
TEST_F(EndToEndTest, WithoutAUserFolderExtensionManagerFolderOrConfigurationFilesOnlyTheInstallationsFilesAreWritten)
{
    fs::remove_all(root / L"Donn\u00E9es");
    manager.SetString("Extension Manager.exe");
    fs::remove(Menus(Configuration()));
    fs::remove(InsertBar(Configuration()));
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-i"));
    for (const auto& [folder, file] : ConfigurationFiles) {
        EXPECT_EQ(ReadFile(Source(file)), ReadFile(Configuration() / folder / file));
    }
    EXPECT_FALSE(Exists(Menus(Configuration())) || Exists(InsertBar(Configuration())) || Exists(distribution / "Configuration"));
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-u"));
    EXPECT_FALSE(Exists(root / L"Donn\u00E9es") || Exists(root / "EM") || Exists(Menus(Configuration())));
}

TEST_F(EndToEndTest, NoSwitchOrARunningDreamweaverLeftRunningChangeNothing)
{
    WriteFile(obsolete, "old release");
    EXPECT_EQ((Outcome{1, 0, 0, 1}), Run(""));
    const TitledWindow dreamweaver("Macromedia Dreamweaver MX 2004 - [index.html]");
    EXPECT_EQ((Outcome{1, 0, 1, 0}), Run("-i", IDABORT));
    EXPECT_TRUE(Exists(obsolete) && !Exists(Configuration() / "Floaters"));
    EXPECT_EQ((Outcome{0, 0, 1, 0}), Run("-i", IDIGNORE));
    Expect(true, Configuration());
}

// Each failure ends the run with one error box and exit code 1: what was done
// before it stays done, and nothing after it happens.
TEST_F(EndToEndTest, AFailureStopsTheRunWhereItHappens)
{
    const fs::path menus = Menus(user), strings = Configuration() / "Strings/VNLStringsEN.xml";
    const auto replace = [](const fs::path& file, const char* from, const char* to) {
        WriteFile(file, std::regex_replace(ReadFile(file), std::regex(from), to));
    };
    const std::string folderMissing =
        "Installer: Dreamweaver information has been found, but the directory where it should reside does not exist under \"";
    const struct {
        std::function<void()> arrange;
        std::string error;
        fs::path present, absent; // after the run
        const char* command = "-i";
        fs::path held = {}; // open during the run, with these sharing modes
        DWORD sharing = 0;
    } rows[] = {
        {[&] { path.Delete(); }, "Installer: Dreamweaver has not been found on this machine. Try to reinstall Dreamweaver MX 2004 or newer.",
         obsolete, Configuration() / "Floaters"},
        // Only the first folder counts, as written.
        {[&] { path.SetString(NativeText(root / "Missing") + ";" + NativeText(installation)); }, folderMissing + NativeText(root / "Missing") + "\"",
         obsolete, Configuration() / "Floaters"},
        {[&] { path.SetString("%ProgramFiles%", REG_EXPAND_SZ); }, folderMissing + "%ProgramFiles%\"", obsolete, Configuration() / "Floaters"},
        {[&] { path.SetRaw(REG_DWORD, std::string("\1\0\0\0", 4)); }, "Incompatible value type of \"" + std::string(DreamweaverKey) + "\\Path\"",
         obsolete, Configuration() / "Floaters"},
        {[&] { fs::remove_all(distribution / "Files"); },
         "Installer: Cannot copy source file \"Files\\Loomlet.dll\" to target location \"" +
             NativeText(Configuration() / "JSExtensions/Loomlet.dll") + "\" (",
         {}, obsolete},
        {[&] { appData.Delete(); }, "Cannot get value \"" + std::string(ShellFoldersKey) + "\\AppData\"", SharedScript(),
         Package("VNLExtensionEN.mxi")},
        // The entry of the Window menu is in place when the Insert menu's item is found missing.
        {[&] { replace(menus, "_Insert_Comment", "_Insert_Table"); },
         "Installer: Cannot add the Vantrelle entries to \"" + NativeText(menus) + "\": the item \"DWMenu_Insert_Comment\" they follow is missing",
         user / "Help/VNLHelpEN.html", Package("VNLExtensionEN.mxi")},
        // Held open even with every sharing mode, or read-only: Windows would not replace it.
        {[] {}, "Installer: Cannot edit \"" + NativeText(menus) + "\" (" + Reason(ERROR_SHARING_VIOLATION) + ")", user / "Help/VNLHelpEN.html",
         Package("VNLExtensionEN.mxi"), "-i", menus, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
        {[&] { SetFileAttributesW(menus.c_str(), FILE_ATTRIBUTE_READONLY); },
         "Installer: Cannot edit \"" + NativeText(menus) + "\" (" + Reason(ERROR_ACCESS_DENIED) + ")", user / "Help/VNLHelpEN.html",
         Package("VNLExtensionEN.mxi")},
        {[&] {
             for (const fs::path& file : {Configuration() / "Objects/Common/VNLObject.png", Configuration() / "Help/VNLHelpEN.html", strings}) {
                 WriteFile(file, "installed");
             }
         },
         "Installer: Cannot remove \"" + NativeText(strings) + "\" (", Configuration() / "Help/VNLHelpEN.html",
         Configuration() / "Objects/Common/VNLObject.png", "-r", strings},
    };
    for (const auto& row : rows) {
        Arrange();
        WriteFile(obsolete, "old release");
        row.arrange();
        const std::string before = ReadFile(menus);
        {
            // Held as another program holds it: under Wine, as root, file rights
            // would stop nothing, but a sharing mode does.
            const Utilities::ScopedHandle held(
                row.held.empty() ? nullptr : CreateFileW(row.held.c_str(), GENERIC_READ, row.sharing, nullptr, OPEN_EXISTING, 0, nullptr));
            EXPECT_TRUE(row.held.empty() || held) << row.held;
            EXPECT_EQ((Outcome{1, 1, 0, 0}), Run(row.command)) << row.error;
        }
        EXPECT_EQ(row.error, lastError.substr(0, row.error.size()));
        EXPECT_TRUE(row.present.empty() || Exists(row.present)) << row.error;
        EXPECT_FALSE(Exists(row.absent)) << row.error;
        EXPECT_EQ(before, ReadFile(menus)) << row.error;
    }
}
