// The real Fitwright.exe, started as a child process against a Dreamweaver
// layout set up in a temporary folder and the test prefix's registry.
#include "HostRegistry.hpp"

#include "DialogWatcher.hpp"
#include "HeldFile.hpp"
#include "Paths.hpp"
#include "Process.hpp"
#include "TempFolder.hpp"
#include "TopLevelWindow.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

namespace fs = boost::filesystem;
using TestSupport::DialogWatcher;
using TestSupport::ReadFile;
using TestSupport::WriteFile;
using Utilities::Exists;
using Utilities::NativeText;

namespace {

const char* const ConfigurationFiles[] = {
    "JSExtensions/Loomlet.dll", "Floaters/VNLFloater.html",    "Floaters/VNLFloater.js",
    "Objects/Common/VNLObject.html", "Objects/Common/VNLObject.js", "Objects/Common/VNLObject.png",
    "Strings/VNLStringsEN.xml", "Help/VNLHelpEN.html",       "Extensions/VNLExtensionEN.mxi",
};
const char* const SourceFiles[] = {
    "Loomlet.dll",      "VNLFloater.html", "VNLFloater.js",      "VNLObject.html",     "VNLObject.js",    "VNLObject.png",
    "VNLStringsEN.xml", "VNLHelpEN.html",  "VNLExtensionEN.mxi", "VNLExtensionEN.mxp", "Loomlet.js",
};

struct Outcome {
    long exitCode;
    std::vector<std::string> errors;
    std::vector<std::string> prompts;
    std::vector<std::string> usages;
};

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class EndToEndTest : public ::testing::Test {
protected:
    EndToEndTest()
    {
        registry.installation.SetString(NativeText(installation));
        registry.appData.SetString(NativeText(root / "AppData"));
        registry.extensionManager.SetString(NativeText(extensionManager / "Extension Manager.exe"));
        const fs::path data = TestSupport::HostFile(TEST_DATA_DIR);
        for (const fs::path& configuration : {installation / "Configuration", userConfiguration}) {
            for (const char* file : {"Menus/menus.xml", "Objects/insertbar.xml"}) {
                WriteFile(configuration / file, ReadFile(data / "Configuration" / file));
            }
        }
        int size = 100;
        for (const char* file : SourceFiles) {
            WriteFile(distribution / "Files" / file, std::string(size += 37, file[3]));
        }
    }

    Outcome Run(const std::string& arguments, int promptAnswer = IDABORT)
    {
        const auto anyProcess = DialogWatcher::Scope::AnyProcess;
        DialogWatcher errors("Error", {IDOK}, anyProcess);
        DialogWatcher prompts("Installer", {promptAnswer}, anyProcess);
        DialogWatcher usages("Usage", {IDOK}, anyProcess);
        const long exitCode = TestSupport::RunProgram(TestSupport::HostFile(FITWRIGHT_EXE), arguments, distribution);
        return {exitCode, errors.Texts(), prompts.Texts(), usages.Texts()};
    }

    // Every file of the list in place with its source's size.
    void ExpectInstalled(const fs::path& configuration)
    {
        for (const char* file : ConfigurationFiles) {
            const fs::path target = configuration / file;
            ASSERT_TRUE(Exists(target)) << target;
            EXPECT_EQ(fs::file_size(target), fs::file_size(distribution / "Files" / target.filename()));
        }
        const std::string menus = ReadFile(configuration / "Menus/menus.xml");
        EXPECT_EQ(Occurrences(menus, "<menuitem id=\"DWMenu_Window_VNL\""), 1u);
        EXPECT_EQ(Occurrences(menus, "<menuitem id=\"DWMenu_Insert_VNLobject\""), 1u);
        const std::string insertBar = ReadFile(configuration / "Objects/insertbar.xml");
        EXPECT_EQ(Occurrences(insertBar, "<separator id=\"VNL_Object_sep\" />"), 1u);
        EXPECT_EQ(Occurrences(insertBar, "<button file=\"Common\\VNLobject.html\" id=\"VNL_Object\""), 1u);
    }

    void ExpectUninstalled(const fs::path& configuration)
    {
        for (const char* file : ConfigurationFiles) {
            EXPECT_FALSE(Exists(configuration / file)) << file;
            EXPECT_TRUE(Exists((configuration / file).parent_path())) << file;
        }
        EXPECT_EQ(Occurrences(ReadFile(configuration / "Menus/menus.xml"), "VNL"), 0u);
        EXPECT_EQ(Occurrences(ReadFile(configuration / "Objects/insertbar.xml"), "VNL"), 0u);
    }

    fs::path SharedScript() const { return installation / "Configuration/Shared/Common/Scripts/Loomlet.js"; }
    fs::path Packages() const { return extensionManager / "Configuration/Extensions"; }

    HostRegistry registry;
    TestSupport::TempFolder root;
    const fs::path installation = root / "Program Files/Macromedia/Dreamweaver 8";
    const fs::path userConfiguration = root / "AppData/Macromedia/Dreamweaver 8/Configuration";
    const fs::path extensionManager = root / "Extension Manager";
    const fs::path distribution = root / "Vantrelle";
};

// The run ended with exit code 1 and one error box: the copy message for
// these paths, followed by the file system's own reason.
void ExpectCopyFailure(const Outcome& outcome, const fs::path& source, const fs::path& target)
{
    EXPECT_EQ(outcome.exitCode, 1);
    ASSERT_EQ(outcome.errors.size(), 1u);
    const std::string prefix = "Installer: Cannot copy source file \"" + NativeText(source) +
                               "\" to target location \"" + NativeText(target) + "\" (";
    EXPECT_EQ(outcome.errors[0].rfind(prefix, 0), 0u) << outcome.errors[0];
}

} // namespace

TEST_F(EndToEndTest, NoSwitchShowsTheUsageAndBothOperationsAreRefused)
{
    Outcome outcome = Run("");
    EXPECT_EQ(outcome.exitCode, 1);
    ASSERT_EQ(outcome.usages.size(), 1u);
    EXPECT_EQ(outcome.usages[0].rfind("Options:\n  -h [ --help ]", 0), 0u) << outcome.usages[0];

    outcome = Run("-i -u");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, std::vector<std::string>{"Installer: Cannot perform specified operation \"-i -u\""});
    EXPECT_FALSE(Exists(installation / "Configuration/JSExtensions"));
}

TEST_F(EndToEndTest, InstallingFillsBothConfigurationsAndTheExtensionManager)
{
    WriteFile(installation / "Configuration/JSExtensions/VNL.dll", "old release");
    WriteFile(userConfiguration / "JSExtensions/VNL.dll", "old release");
    const Outcome outcome = Run("--install");
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.errors.empty() && outcome.prompts.empty() && outcome.usages.empty());
    ExpectInstalled(installation / "Configuration");
    ExpectInstalled(userConfiguration);
    EXPECT_FALSE(Exists(installation / "Configuration/JSExtensions/VNL.dll"));
    EXPECT_FALSE(Exists(userConfiguration / "JSExtensions/VNL.dll"));
    EXPECT_EQ(ReadFile(SharedScript()), ReadFile(distribution / "Files/Loomlet.js"));
    EXPECT_EQ(ReadFile(Packages() / "VNLExtensionEN.mxi"), ReadFile(distribution / "Files/VNLExtensionEN.mxi"));
    EXPECT_EQ(ReadFile(Packages() / "VNLExtensionEN.mxp"), ReadFile(distribution / "Files/VNLExtensionEN.mxp"));
}

TEST_F(EndToEndTest, WithoutAUserFolderOnlyTheInstallationIsWritten)
{
    fs::remove_all(root / "AppData");
    registry.extensionManager.Delete();
    EXPECT_EQ(Run("-i").exitCode, 0);
    ExpectInstalled(installation / "Configuration");
    EXPECT_FALSE(Exists(root / "AppData"));
    EXPECT_FALSE(Exists(Packages()));
}

TEST_F(EndToEndTest, InstallingTwiceLeavesOneSetOfEverything)
{
    EXPECT_EQ(Run("-i").exitCode, 0);
    EXPECT_EQ(Run("-i").exitCode, 0);
    ExpectInstalled(installation / "Configuration");
    ExpectInstalled(userConfiguration);
}

TEST_F(EndToEndTest, UninstallingRemovesFilesAndEntriesButKeepsFolders)
{
    EXPECT_EQ(Run("-i").exitCode, 0);
    WriteFile(installation / "Configuration/JSExtensions/VNL.dll", "not ours to remove");
    const Outcome outcome = Run("-u");
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.errors.empty());
    ExpectUninstalled(installation / "Configuration");
    ExpectUninstalled(userConfiguration);
    EXPECT_TRUE(Exists(installation / "Configuration/JSExtensions/VNL.dll"));
    EXPECT_FALSE(Exists(SharedScript()));
    EXPECT_TRUE(Exists(SharedScript().parent_path()));
    EXPECT_FALSE(Exists(Packages() / "VNLExtensionEN.mxi"));
    EXPECT_FALSE(Exists(Packages() / "VNLExtensionEN.mxp"));
}

TEST_F(EndToEndTest, UninstallingWhatIsNotInstalledSucceeds)
{
    fs::remove_all(root / "AppData");
    const std::string menus = ReadFile(installation / "Configuration/Menus/menus.xml");
    EXPECT_EQ(Run("--uninstall").exitCode, 0);
    EXPECT_FALSE(Exists(root / "AppData"));
    EXPECT_NE(ReadFile(installation / "Configuration/Menus/menus.xml").find("DWMenu_Window_HTML"), std::string::npos);
}

TEST_F(EndToEndTest, ReinstallingReplacesTheInstalledFiles)
{
    EXPECT_EQ(Run("-i").exitCode, 0);
    WriteFile(distribution / "Files/VNLHelpEN.html", "a newer help page");
    EXPECT_EQ(Run("-r").exitCode, 0);
    ExpectInstalled(installation / "Configuration");
    EXPECT_EQ(ReadFile(userConfiguration / "Help/VNLHelpEN.html"), "a newer help page");
}

TEST_F(EndToEndTest, ARunningDreamweaverIsAskedToCloseBeforeAnythingIsTouched)
{
    WriteFile(installation / "Configuration/JSExtensions/VNL.dll", "old release");
    const std::string menus = ReadFile(installation / "Configuration/Menus/menus.xml");
    TestSupport::TopLevelWindow dreamweaver("Macromedia Dreamweaver MX 2004 - [index.html]");
    const Outcome outcome = Run("-i", IDABORT);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.prompts, std::vector<std::string>{"Please close all running instances of Dreamweaver and "
                                                        "press Retry in order to proceed."});
    EXPECT_TRUE(Exists(installation / "Configuration/JSExtensions/VNL.dll"));
    EXPECT_FALSE(Exists(installation / "Configuration/JSExtensions/Loomlet.dll"));
    EXPECT_EQ(ReadFile(installation / "Configuration/Menus/menus.xml"), menus);
}

TEST_F(EndToEndTest, AMissingOrBrokenDreamweaverIsReported)
{
    registry.installation.Delete();
    Outcome outcome = Run("-i");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, std::vector<std::string>{"Installer: Dreamweaver has not been found on this machine. "
                                                       "Try to reinstall Dreamweaver MX 2004 or newer."});

    registry.installation.SetString(NativeText(root / "Gone"));
    outcome = Run("-u");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors,
              std::vector<std::string>{"Installer: Dreamweaver information has been found, but the directory where "
                                       "it should reside does not exist under \"" +
                                       NativeText(root / "Gone") +
                                       "\". Your installation might be broken. Try to reinstall Dreamweaver MX "
                                       "2004 or newer."});
}

TEST_F(EndToEndTest, AMissingFilesFolderFailsOnTheFirstFileAfterTheObsoleteLibraryIsGone)
{
    WriteFile(installation / "Configuration/JSExtensions/VNL.dll", "old release");
    fs::remove_all(distribution / "Files");
    ExpectCopyFailure(Run("-i"), "Files/Loomlet.dll", installation / "Configuration/JSExtensions/Loomlet.dll");
    EXPECT_FALSE(Exists(installation / "Configuration/JSExtensions/VNL.dll"));
}

TEST_F(EndToEndTest, ATargetThatCannotBeReplacedStopsTheInstallation)
{
    WriteFile(installation / "Configuration/Help/VNLHelpEN.html/notes.txt", "a folder of the user's");
    ExpectCopyFailure(Run("-i"), "Files/VNLHelpEN.html", installation / "Configuration/Help/VNLHelpEN.html");
    EXPECT_TRUE(Exists(installation / "Configuration/Strings/VNLStringsEN.xml"));
    EXPECT_FALSE(Exists(installation / "Configuration/Extensions/VNLExtensionEN.mxi"));
    EXPECT_EQ(ReadFile(installation / "Configuration/Help/VNLHelpEN.html/notes.txt"), "a folder of the user's");

    fs::remove_all(installation / "Configuration/Help/VNLHelpEN.html");
    WriteFile(userConfiguration / "Strings/VNLStringsEN.xml", "in use");
    const auto lock = HoldOpen(userConfiguration / "Strings/VNLStringsEN.xml", 0);
    ASSERT_TRUE(lock.IsValid());
    ExpectCopyFailure(Run("-i"), "Files/VNLStringsEN.xml", userConfiguration / "Strings/VNLStringsEN.xml");
    ExpectInstalled(installation / "Configuration");
}

TEST_F(EndToEndTest, AMissingApplicationDataValueStopsAfterTheInstallationsFolder)
{
    registry.appData.Delete();
    const Outcome outcome = Run("-i");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, std::vector<std::string>{"Cannot get value \"HKEY_CURRENT_USER\\Software\\Microsoft\\"
                                                       "Windows\\CurrentVersion\\Explorer\\Shell Folders\\AppData\""});
    ExpectInstalled(installation / "Configuration");
    EXPECT_FALSE(Exists(Packages()));
}
