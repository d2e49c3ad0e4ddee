// The real Fitwright.exe, started as a child process against a Dreamweaver
// layout set up in a temporary folder and the test prefix's registry.
#include "Layout.hpp"

#include "Paths.hpp"
#include "Text.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
    Outcome Run(const std::string& arguments, DialogWatcher::Action prompt = DialogWatcher::Pressing(IDABORT))
    {
        const auto any = DialogWatcher::Scope::AnyProcess;
        const DialogWatcher errors("Error", 0xFFFF, DialogWatcher::Pressing(IDOK), any);
        const DialogWatcher prompts("Installer", 0xFFFF, prompt, any);
        const DialogWatcher usages("Usage", 0xFFFF, DialogWatcher::Pressing(IDOK), any);
        const long exitCode = Execute(arguments);
        EXPECT_LE(0, exitCode) << "no end within a minute: " << arguments;
        lastError = errors.Texts().empty() ? "" : errors.Texts().back();
        return {exitCode, long(errors.Texts().size()), long(prompts.Texts().size()), long(usages.Texts().size())};
    }

    // The installer's exit code; -1 when it could not be started or did not
    // end within a minute. Callable from any thread.
    long Execute(const std::string& arguments) const
    {
        std::wstring commandLine = L"\"" + program.wstring() + L"\" " + Utilities::WideFromUtf8(arguments);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started = {};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, startIn.c_str(), &startup, &started)) {
            return -1;
        }
        const Utilities::ScopedHandle process(started.hProcess), thread(started.hThread);
        DWORD exitCode = 0;
        if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &exitCode)) {
            TerminateProcess(process.Get(), 1);
            return -1;
        }
        return long(exitCode);
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

    // The installer is started from the distribution's folder unless a test says otherwise.
    fs::path program = HostFile(FITWRIGHT_EXE), startIn = distribution;
    std::string lastError;
};

} // namespace

TEST_F(EndToEndTest, InstallingTwiceReinstallingAndUninstallingLeaveOneSetOfEverythingThenNone)
{
    WriteFile(obsolete, "old release");
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("--install"));
    // An entry of an earlier release is replaced by the current one.
    WriteFile(Menus(user), std::regex_replace(ReadFile(Menus(user)), std::regex("Vantrelle Extension"), "Vantrelle 0.9"));
    // Started elsewhere, as a shortcut or a command prompt may start it, it
    // takes the files beside it.
    fs::copy_file(program, distribution / "Fitwright.exe");
    program = distribution / "Fitwright.exe";
    startIn = root.path;
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-i"));
    Expect(true, Configuration());
    Expect(true, user);
    EXPECT_EQ(std::string::npos, ReadFile(Menus(user)).find("Vantrelle 0.9"));
    EXPECT_FALSE(Exists(obsolete));
    EXPECT_EQ(ReadFile(Source("Loomlet.js")) + ReadFile(Source("VNLExtensionEN.mxp")), ReadFile(SharedScript()) + ReadFile(Package("VNLExtensionEN.mxp")));
    WriteFile(Source("VNLHelpEN.html"), "a newer help page");
    WriteFile(obsolete, "removed by an install only");
    const fs::path logFile = root / L"Protok\u00F3\u0142.log";
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-r --log \"" + NativeText(logFile) + "\""));
    EXPECT_EQ("a newer help page", ReadFile(user / "Help/VNLHelpEN.html"));
    EXPECT_FALSE(Exists(obsolete));
    WriteFile(obsolete, "removed by an install only");
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("--uninstall -q -l \"" + NativeText(logFile) + "\""));
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-u"));
    // The log of both runs, in UTF-8 with Windows line ends.
    const std::string log = ReadFile(logFile);
    const auto count = [&](const std::string& pattern) {
        const std::regex expression(pattern);
        return long(std::distance(std::sregex_iterator(log.begin(), log.end(), expression), std::sregex_iterator()));
    };
    const std::string files = NativeText(distribution / "Files") + "\\";
    const std::string menus = "Edited \"" + NativeText(Menus(user)) + "\": ";
    EXPECT_EQ(1, count("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d Fitwright \\d+\\.\\d+\\.\\d+ -r --log \".*\"\r\n"));
    EXPECT_EQ(1, count("\r\n\\S+ \\S+ Fitwright \\S+ --uninstall -q -l \".*\"\r\n"));
    for (const std::string& line :
         {"Installation folder: \"" + NativeText(installation) + "\"", "User configuration folder: \"" + NativeText(user) + "\"",
          "Extension Manager's package folder: \"" + NativeText(root / "EM/Configuration/Extensions") + "\"", std::string("No running Dreamweaver found"),
          "Removed \"" + NativeText(obsolete) + "\"", "Copied \"" + files + "VNLHelpEN.html\" to \"" + NativeText(user / "Help/VNLHelpEN.html") + "\"",
          menus + "DWMenu_Window_VNL removed, DWMenu_Insert_VNLobject removed",
          "Left \"" + NativeText(Menus(user)) + "\" as it was: DWMenu_Window_VNL not there, DWMenu_Insert_VNLobject not there",
          menus + "DWMenu_Window_VNL added, DWMenu_Insert_VNLobject added",
          "Edited \"" + NativeText(InsertBar(Configuration())) + "\": VNL_Object_sep removed, VNL_Object removed", std::string("Exit code 0")}) {
        EXPECT_NE(std::string::npos, log.find("\r\n" + line + "\r\n")) << line;
    }
    // Each run removes 9 files in each configuration folder, the shared script
    // once and both packages, and edits both files of each folder; the
    // reinstall's install removes the old library, copies 9 files into each
    // folder, the shared script once and both packages, finds no entry to
    // remove and adds them to each file.
    EXPECT_EQ((std::vector<long>{21 + 1 + 21, 21, 2, 4 + 4 + 4, 4, 2}),
              (std::vector<long>{count("\r\nRemoved "), count("\r\nCopied "), count("\r\nInstallation folder: "), count("\r\nEdited "),
                                 count("\r\nLeft "), count("\r\nExit code 0\r\n")}));
    Expect(false, Configuration());
    Expect(false, user);
    EXPECT_TRUE(Exists(obsolete) && Exists(SharedScript().parent_path()));
    EXPECT_FALSE(Exists(SharedScript()) || Exists(Package("VNLExtensionEN.mxi")) || Exists(Package("VNLExtensionEN.mxp")));
}

// Each version keeps the user's configuration in folders of its own: the
// extension goes into each of them that exists, and into no folder of
// another version. The installation folder's name tells the version, or,
// where the user renamed it, Dreamweaver.exe's version resource; without
// either the folder is taken for a Macromedia one.
TEST_F(EndToEndTest, EachVersionsOwnUserFoldersGetTheExtensionAndNoOtherVersionsFolder)
{
    const struct {
        const char* installation; // below Program Files\Adobe
        const char* program;      // copied to Dreamweaver.exe there, if any
        std::vector<const char*> users, others; // below Application Data
        std::string logged = "";                 // a line of the install's log
    } rows[] = {
        {"Adobe Dreamweaver CS3", nullptr, {"Adobe/Dreamweaver 9/Configuration"}, {"Adobe/Dreamweaver CS3/en_US/Configuration"}},
        {"Adobe Dreamweaver CS4", nullptr, {"Adobe/Dreamweaver CS4/de_DE/Configuration", "Adobe/Dreamweaver CS4/en_US/Configuration"},
         {"Adobe/Dreamweaver CS4/fr_FR", "Adobe/Dreamweaver CS6/en_US/Configuration", "Macromedia/Adobe Dreamweaver CS4/Configuration"}},
        {"Adobe Dreamweaver CC 2014", nullptr, {"Adobe/Dreamweaver CC 2014/en_US/Configuration"}, {"Adobe/Dreamweaver CC 2014.1/en_US/Configuration"}},
        {"Adobe Dreamweaver CS6", nullptr, {}, {"Adobe/Dreamweaver CS5.5/en_US/Configuration"},
         "User configuration folder: none at \"" + NativeText(applicationData / "Adobe/Dreamweaver CS6/*/Configuration") + "\", skipped"},
        {"Dreamweaver", DREAMWEAVER_10_EXE, {"Adobe/Dreamweaver CS4/en_US/Configuration"}, {"Macromedia/Dreamweaver/Configuration"}},
        {"Dreamweaver", EXIT_AFTER_EXE, {"Macromedia/Dreamweaver/Configuration"}, {"Adobe/Dreamweaver CS4/en_US/Configuration"}},
    };
    // Every file below a folder, with its bytes.
    const auto contents = [](const fs::path& folder) {
        std::map<fs::path, std::string> files;
        for (fs::recursive_directory_iterator entry(folder), end; entry != end; ++entry) {
            files[entry->path()] = fs::is_directory(entry->status()) ? "/" : ReadFile(entry->path());
        }
        return files;
    };
    for (const auto& row : rows) {
        Arrange();
        fs::remove_all(applicationData);
        const fs::path adobe = root / "Program Files/Adobe" / row.installation, logFile = root / "adobe.log";
        path.SetString(NativeText(adobe));
        std::vector<fs::path> users{adobe / "Configuration"}, others;
        for (const char* user : row.users) {
            users.push_back(applicationData / user);
        }
        for (const char* other : row.others) {
            others.push_back(applicationData / other);
        }
        for (const auto* folders : {&users, &others}) {
            for (const fs::path& folder : *folders) {
                WriteFile(Menus(folder), ReadFile(Menus(Configuration())));
                WriteFile(InsertBar(folder), ReadFile(InsertBar(Configuration())));
            }
        }
        if (row.program) {
            fs::copy_file(HostFile(row.program), adobe / "Dreamweaver.exe");
        }
        std::vector<std::map<fs::path, std::string>> before;
        std::transform(others.begin(), others.end(), std::back_inserter(before), contents);
        EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-i -l \"" + NativeText(logFile) + "\"")) << row.installation;
        for (const fs::path& user : users) {
            Expect(true, user);
        }
        EXPECT_TRUE(row.logged.empty() || ReadFile(logFile).find("\r\n" + row.logged + "\r\n") != std::string::npos) << row.logged;
        EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-u")) << row.installation;
        for (const fs::path& user : users) {
            Expect(false, user);
        }
        for (std::size_t other = 0; other < others.size(); ++other) {
            EXPECT_TRUE(before[other] == contents(others[other])) << others[other];
        }
    }
}

// A Dreamweaver whose program is built for other bits than the extension's
// library cannot load it: it is named, not sent to be reinstalled, and
// nothing changes. Windows 7 and later, like Wine, share the App Paths key
// between the registry's views, so the program's header tells.
TEST_F(EndToEndTest, ADreamweaverThatCannotLoadTheLibraryIsNamedAndNothingChanges)
{
#if defined(_WIN64)
    const char machine[] = "\x4c\x01"; // i386
    const std::string program = "a 32-bit program, which cannot load the extension's 64-bit library";
#else
    const char machine[] = "\x64\x86"; // x86-64
    const std::string program = "a 64-bit program, which cannot load the extension's 32-bit library";
#endif
    // A program's headers as far as they tell its processor: the DOS header
    // that points to the PE signature, which the machine follows.
    std::string headers = "MZ" + std::string(58, '\0') + std::string("\x40\0\0\0PE\0\0", 8) + std::string(machine, 2) + std::string(18, '\0');
    WriteFile(installation / "Dreamweaver.exe", headers);
    WriteFile(obsolete, "old release");
    EXPECT_EQ((Outcome{1, 1, 0, 0}), Run("-i"));
    EXPECT_EQ("Installer: Dreamweaver has been found in \"" + NativeText(installation) + "\", but it is " + program +
                  ". The extension works with the 32-bit Dreamweaver: Dreamweaver MX 2004 to CC 2014 on any Windows, and the later "
                  "versions on 32-bit Windows.",
              lastError);
    EXPECT_TRUE(Exists(obsolete) && !Exists(Configuration() / "Floaters"));
}

// An Extension Manager registered without a folder names no place for packages.
TEST_F(EndToEndTest, WithoutAUserFolderExtensionManagerFolderOrConfigurationFilesOnlyTheInstallationsFilesAreWritten)
{
    fs::remove_all(applicationData);
    manager.SetString("Extension Manager.exe");
    fs::remove(Menus(Configuration()));
    fs::remove(InsertBar(Configuration()));
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-i"));
    for (const auto& [folder, file] : ConfigurationFiles) {
        EXPECT_EQ(ReadFile(Source(file)), ReadFile(Configuration() / folder / file));
    }
    EXPECT_FALSE(Exists(Menus(Configuration())) || Exists(InsertBar(Configuration())) || Exists(distribution / "Configuration"));
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-u"));
    EXPECT_FALSE(Exists(applicationData) || Exists(root / "EM") || Exists(Menus(Configuration())));
}

// A running Dreamweaver shows itself by a window's title, by a process of its
// registered program, or by holding its deployed library.
TEST_F(EndToEndTest, NoSwitchOrARunningDreamweaverChangeNothingUntilTheUserLetsTheRunGoOn)
{
    WriteFile(obsolete, "old release");
    EXPECT_EQ((Outcome{1, 0, 0, 1}), Run(""));
    EXPECT_EQ((Outcome{1, 0, 0, 1}), Run("install now"));
    EXPECT_EQ((Outcome{1, 0, 0, 0}), Run("--quiet"));
    EXPECT_EQ((Outcome{1, 0, 0, 1}), Run("-q -h"));
    {
        const TitledWindow dreamweaver("Macromedia Dreamweaver MX 2004 - [index.html]");
        EXPECT_EQ((Outcome{1, 0, 1, 0}), Run("-i"));
        // A setup that runs it quietly gets Abort's answer instead of a prompt.
        EXPECT_EQ((Outcome{1, 0, 0, 0}), Run("-i --quiet --log \"" + NativeText(root / "setup.log") + "\""));
    }
    // The log says what counts as a running Dreamweaver.
    const fs::path logFile = root / "setup.log";
    const std::string prompt = "Please close all running instances of Dreamweaver and press Retry in order to proceed.";
    const auto logged = [&](const std::string& running, const std::string& box, const std::string& next) {
        return ReadFile(logFile).find("\r\nRunning Dreamweaver found: " + running + "\r\nBox \"Installer\" " + box + ": " + prompt + "\r\n" + next) !=
               std::string::npos;
    };
    EXPECT_TRUE(logged("window \"Macromedia Dreamweaver MX 2004 - [index.html]\"", "not shown", "Answer: Abort\r\n"));
    {
        ScopedRegistryValue registered(DreamweaverKey, "");
        registered.SetString("\"" + NativeText(root / "Adobe/DREAMWEAVER.EXE") + "\"");
        fs::create_directories(root / "Adobe");
        fs::copy_file(HostFile(EXIT_AFTER_EXE), root / "Adobe/Dreamweaver.exe");
        std::wstring commandLine = (root / "Adobe/Dreamweaver.exe").wstring() + L" 60000 0";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started = {};
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
        const Utilities::ScopedHandle process(started.hProcess), thread(started.hThread);
        EXPECT_EQ((Outcome{1, 0, 1, 0}), Run("-i -l \"" + NativeText(logFile) + "\""));
        EXPECT_TRUE(logged("process \"" + NativeText(root / "Adobe/Dreamweaver.exe") + "\"", "shown", "Answer: Abort\r\n"));
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 10000);
    }
    EXPECT_TRUE(Exists(obsolete) && !Exists(Configuration() / "Floaters"));
    WriteFile(Source("Loomlet.dll"), ReadFile(HostFile(LOOMLET_DLL)));
    {
        const TitledWindow dreamweaver("Macromedia Dreamweaver 8");
        EXPECT_EQ((Outcome{0, 0, 1, 0}), Run("-i", DialogWatcher::Pressing(IDIGNORE)));
    }
    Expect(true, Configuration());
    Utilities::ScopedModule library(LoadLibraryW((Configuration() / "JSExtensions/Loomlet.dll").c_str()));
    ASSERT_TRUE(library);
    EXPECT_EQ((Outcome{1, 0, 1, 0}), Run("-u"));
    Expect(true, Configuration());
    // While the prompt waits, a second run with the same log stops at once,
    // and says why in that log.
    long second = 0;
    const std::string log = " -l \"" + NativeText(logFile) + "\"";
    EXPECT_EQ((Outcome{0, 0, 1, 0}), Run("-r" + log, [&](HWND box, const std::string&) {
        second = Execute("-i -q" + log);
        library.Close();
        DialogWatcher::Press(box, IDRETRY);
    }));
    Expect(true, Configuration());
    EXPECT_EQ(1, second);
    EXPECT_TRUE(logged("\"" + NativeText(Configuration() / "JSExtensions/Loomlet.dll") + "\" in use", "shown", ""));
    const std::regex refused("\r\n\\S+ \\S+ Fitwright \\S+ -i -q -l \"[^\r\n]*\r\nBox \"Error\" not shown: Installer: Another installer is running\\. "
                             "Wait until it has finished, then try again\\.\r\nExit code 1\r\nAnswer: Retry\r\nNo running Dreamweaver found\r\n");
    EXPECT_TRUE(std::regex_search(ReadFile(logFile), refused)) << ReadFile(logFile);
}

// Each failure ends the run with one error box, or its text in the log, and
// exit code 1. What the installer can find out beforehand is found before it
// changes anything; a failure during the run stops it there: what was done
// before it stays done, and nothing after it happens.
TEST_F(EndToEndTest, AFailureFoundBeforehandChangesNothingAndOneDuringTheRunStopsItThere)
{
    const fs::path menus = Menus(user), strings = Configuration() / "Strings/VNLStringsEN.xml";
    const auto replace = [](const fs::path& file, const char* from, const char* to) {
        WriteFile(file, std::regex_replace(ReadFile(file), std::regex(from), to));
    };
    const std::string folderMissing =
        "Installer: Dreamweaver information has been found, but the directory where it should reside does not exist under \"";
    const std::string missingComment =
        "Installer: Cannot add the Vantrelle entries to \"" + NativeText(menus) + "\": the item \"DWMenu_Insert_Comment\" they follow is missing";
    const std::string readOnlyMenus = "Installer: Cannot edit \"" + NativeText(menus) + "\" (" + Reason(ERROR_ACCESS_DENIED) + ")";
    // A file and the menus' entry of an earlier install.
    const auto installed = [&] {
        WriteFile(user / "Help/VNLHelpEN.html", "installed");
        replace(menus, "(id=\"DWMenu_Window_HTML\"[^>]*>)", "$1\n<menuitem id=\"DWMenu_Window_VNL\" />");
    };
    // Held as another program holds it: under Wine, as root, file rights
    // would stop nothing, but a sharing mode does.
    Utilities::ScopedHandle holding;
    const auto hold = [&](const fs::path& file, DWORD sharing) {
        holding = Utilities::ScopedHandle(CreateFileW(file.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_TRUE(holding) << file;
    };
    const struct {
        std::function<void()> arrange;
        std::string error;
        fs::path present, absent; // after the run
        std::string command = "-i";
        long prompts = 0; // each answered with Ignore
    } rows[] = {
        {[&] { path.Delete(); }, "Installer: Dreamweaver has not been found on this machine. Try to reinstall Dreamweaver MX 2004 or newer.",
         obsolete, Configuration() / "Floaters"},
        // Only the first folder counts, as written.
        {[&] { path.SetString(NativeText(root / "Missing") + ";" + NativeText(installation)); }, folderMissing + NativeText(root / "Missing") + "\"",
         obsolete, Configuration() / "Floaters"},
        {[&] { path.SetString("%ProgramFiles%", REG_EXPAND_SZ); }, folderMissing + "%ProgramFiles%\"", obsolete, Configuration() / "Floaters"},
        {[&] { path.SetRaw(REG_DWORD, std::string("\1\0\0\0", 4)); }, "Incompatible value type of \"" + std::string(DreamweaverKey) + "\\Path\"",
         obsolete, Configuration() / "Floaters"},
        // Without "Files" here or beside the program, the files are looked for here.
        {[&] { fs::remove_all(distribution / "Files"); },
         "Installer: Cannot copy source file \"Files\\Loomlet.dll\" to target location \"" +
             NativeText(Configuration() / "JSExtensions/Loomlet.dll") + "\" (" + Reason(ERROR_FILE_NOT_FOUND) + ")",
         obsolete, Configuration() / "Floaters"},
        // A virus scanner took the last file away: nothing is touched.
        {[&] { fs::remove(Source("VNLExtensionEN.mxp")); },
         "Installer: Cannot copy source file \"Files\\VNLExtensionEN.mxp\" to target location \"" +
             NativeText(Package("VNLExtensionEN.mxp")) + "\" (" + Reason(ERROR_FILE_NOT_FOUND) + ")",
         obsolete, Configuration() / "Floaters"},
        {[&] { appData.Delete(); }, "Cannot get value \"" + std::string(ShellFoldersKey) + "\\AppData\"", obsolete, Configuration() / "Floaters"},
        {[] {}, "Installer: Cannot open the log \"" + NativeText(root.path) + "\" (" + Reason(ERROR_ACCESS_DENIED) + ")", obsolete,
         Configuration() / "Floaters", "-i --log \"" + NativeText(root.path) + "\""},
        {[&] { holding = Utilities::ScopedHandle(CreateMutexW(nullptr, FALSE, L"Global\\Vantrelle Fitwright")); },
         "Installer: Another installer is running. Wait until it has finished, then try again.", obsolete, Configuration() / "Floaters"},
        // A configuration file that an operation could not edit is found
        // before anything changes: it lacks an item that an entry follows,
        // it is held open without sharing its deletion for longer than a
        // scanner holds it, or it is read-only (Windows would not replace it).
        {[&] { replace(menus, "_Insert_Comment", "_Insert_Table"); }, missingComment, obsolete, Configuration() / "Floaters"},
        {[&] { hold(menus, FILE_SHARE_READ | FILE_SHARE_WRITE); },
         "Installer: Cannot edit \"" + NativeText(menus) + "\" (" + Reason(ERROR_SHARING_VIOLATION) + ")", obsolete, Configuration() / "Floaters"},
        {[&] { SetFileAttributesW(menus.c_str(), FILE_ATTRIBUTE_READONLY); }, readOnlyMenus, obsolete, Configuration() / "Floaters"},
        // An uninstall, and a reinstall before its uninstall, leave an installed file in place.
        {[&] {
             installed();
             SetFileAttributesW(menus.c_str(), FILE_ATTRIBUTE_READONLY);
         },
         readOnlyMenus, user / "Help/VNLHelpEN.html", Configuration() / "Floaters", "-u"},
        {[&] {
             installed();
             replace(menus, "_Insert_Comment", "_Insert_Table");
         },
         missingComment, user / "Help/VNLHelpEN.html", Configuration() / "Floaters", "-r"},
        // A deployed file in use is asked about like a running Dreamweaver;
        // Ignore goes on until its removal fails.
        {[&] {
             for (const fs::path& file : {Configuration() / "Objects/Common/VNLObject.png", Configuration() / "Help/VNLHelpEN.html", strings}) {
                 WriteFile(file, "installed");
             }
             hold(strings, 0);
         },
         "Installer: Cannot remove \"" + NativeText(strings) + "\" (", Configuration() / "Help/VNLHelpEN.html",
         Configuration() / "Objects/Common/VNLObject.png", "-r", 1},
    };
    // Every other row runs quietly, as a setup runs it: its error goes to the log.
    const fs::path logFile = root / "Fitwright.log";
    bool quiet = false;
    for (const auto& row : rows) {
        Arrange();
        WriteFile(obsolete, "old release");
        row.arrange();
        const std::string before = ReadFile(menus);
        quiet = !quiet && row.prompts == 0 && row.command == "-i";
        const std::string switches = quiet ? " --quiet --log \"" + NativeText(logFile) + "\"" : "";
        EXPECT_EQ((Outcome{1, quiet ? 0 : 1, row.prompts, 0}), Run(row.command + switches, DialogWatcher::Pressing(IDIGNORE))) << row.error;
        holding.Close();
        if (quiet) {
            const std::string log = ReadFile(logFile);
            std::smatch logged;
            lastError = std::regex_search(log, logged, std::regex("\r\nBox \"Error\" not shown: (.*)\r\nExit code 1\r\n$")) ? logged[1].str() : "";
        }
        EXPECT_EQ(row.error, lastError.substr(0, row.error.size()));
        EXPECT_TRUE(row.present.empty() || Exists(row.present)) << row.error;
        EXPECT_FALSE(Exists(row.absent)) << row.error;
        EXPECT_EQ(before, ReadFile(menus)) << row.error;
    }
}
