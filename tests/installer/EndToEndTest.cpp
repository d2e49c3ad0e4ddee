// The real Fitwright.exe, started as a child process against a Dreamweaver
// layout set up in a temporary folder and the test prefix's registry.
#include "DeployedFiles.hpp"
#include "HostRegistry.hpp"

#include "DialogWatcher.hpp"
#include "HeldFile.hpp"
#include "Paths.hpp"
#include "Process.hpp"
#include "ScopedRegistry.hpp"
#include "TempFolder.hpp"
#include "TopLevelWindow.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <functional>

namespace fs = boost::filesystem;
namespace Deployed = Installer::Deployed;
namespace HostRegistry = Installer::HostRegistry;
using TestSupport::DialogWatcher;
using TestSupport::ReadFile;
using TestSupport::WriteFile;
using Utilities::Exists;
using Utilities::NativeText;

namespace {

// What a run showed and ended with: the exit code, then how many boxes of
// each kind ("Error", "Installer", "Usage") appeared.
using Outcome = std::vector<long>;

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class EndToEndTest : public ::testing::Test {
protected:
    EndToEndTest() { Arrange(); }

    // Dreamweaver with both configuration folders, the Extension Manager,
    // and a distribution whose files differ in size and content.
    void Arrange()
    {
        path.SetString(NativeText(installation));
        appData.SetString(NativeText(root / "AppData"));
        manager.SetString(NativeText(root / "EM/Extension Manager.exe"));
        const fs::path data = TestSupport::HostFile(TEST_DATA_DIR);
        for (const fs::path& configuration : {Configuration(), userConfiguration}) {
            for (const char* file : {"Menus/menus.xml", "Objects/insertbar.xml"}) {
                WriteFile(configuration / file, ReadFile(data / "Configuration" / file));
            }
        }
        for (const char* file : {Deployed::SharedScript.name, Deployed::PackageFiles[1]}) {
            WriteFile(Source(file), file);
        }
        for (const auto& file : Deployed::ConfigurationFiles) {
            WriteFile(Source(file.name), std::string(100, file.name[3]) + file.name);
        }
    }

    Outcome Run(const std::string& arguments, int promptAnswer = IDABORT)
    {
        DialogWatcher errors("Error", DialogWatcher::Press(IDOK));
        DialogWatcher prompts("Installer", DialogWatcher::Press(promptAnswer));
        DialogWatcher usages("Usage", DialogWatcher::Press(IDOK));
        const long exitCode =
            TestSupport::RunProgram("\"" + TestSupport::HostFile(FITWRIGHT_EXE) + "\" " + arguments, distribution);
        lastError = errors.Texts().empty() ? "" : errors.Texts().back();
        return {exitCode, static_cast<long>(errors.Texts().size()), static_cast<long>(prompts.Texts().size()),
                static_cast<long>(usages.Texts().size())};
    }

    fs::path Source(const char* file) const { return distribution / Deployed::SourceFolder / file; }
    fs::path Configuration() const { return installation / "Configuration"; }
    fs::path SharedScript() const
    {
        return Configuration() / "Shared" / Deployed::SharedScript.folder / Deployed::SharedScript.name;
    }
    fs::path Package(int index) const { return root / "EM" / Deployed::PackageFolder / Deployed::PackageFiles[index]; }

    // Every file in place as a copy of its source, and each entry there once.
    void ExpectInstalled(const fs::path& configuration)
    {
        for (const auto& file : Deployed::ConfigurationFiles) {
            EXPECT_EQ(ReadFile(Source(file.name)), ReadFile(configuration / file.folder / file.name)) << file.name;
        }
        const std::string menus = ReadFile(configuration / "Menus/menus.xml");
        const std::string insertBar = ReadFile(configuration / "Objects/insertbar.xml");
        EXPECT_EQ(2u, Count(menus, "<menuitem id=\"DWMenu_")) << configuration;
        EXPECT_EQ(2u, Count(insertBar, "\"VNL_Object")) << configuration;
    }

    // No file of the extension and no entry left; the folders stay.
    void ExpectUninstalled(const fs::path& configuration)
    {
        for (const auto& file : Deployed::ConfigurationFiles) {
            EXPECT_FALSE(Exists(configuration / file.folder / file.name)) << file.name;
            EXPECT_TRUE(Exists(configuration / file.folder)) << file.folder;
        }
        EXPECT_EQ(0u, Count(ReadFile(configuration / "Menus/menus.xml") + ReadFile(configuration / "Objects/insertbar.xml"),
                            "VNL"));
    }

    TestSupport::ScopedRegistryValue path{HostRegistry::DreamweaverKey, HostRegistry::DreamweaverFolders};
    TestSupport::ScopedRegistryValue appData{HostRegistry::ShellFoldersKey, HostRegistry::ApplicationData};
    TestSupport::ScopedRegistryValue manager{HostRegistry::ExtensionManagerKey, HostRegistry::ExtensionManagerProgram};
    TestSupport::TempFolder root;
    const fs::path installation = root / "Program Files/Macromedia/Dreamweaver 8";
    const fs::path userConfiguration = root / "AppData/Macromedia/Dreamweaver 8/Configuration";
    const fs::path distribution = root / "Vantrelle";
    const fs::path obsolete = Configuration() / Deployed::ObsoleteLibrary.folder / Deployed::ObsoleteLibrary.name;
    std::string lastError;
};

} // namespace

TEST_F(EndToEndTest, InstallingTwiceReinstallingAndUninstallingLeaveOneSetOfEverythingThenNone)
{
    WriteFile(obsolete, "old release");
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("--install"));
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-i"));
    ExpectInstalled(Configuration());
    ExpectInstalled(userConfiguration);
    EXPECT_FALSE(Exists(obsolete));
    EXPECT_EQ(ReadFile(Source(Deployed::SharedScript.name)), ReadFile(SharedScript()));
    for (int index : {0, 1}) {
        EXPECT_EQ(ReadFile(Source(Deployed::PackageFiles[index])), ReadFile(Package(index)));
    }

    WriteFile(Source("VNLHelpEN.html"), "a newer help page");
    WriteFile(obsolete, "not ours to remove");
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-r"));
    EXPECT_EQ("a newer help page", ReadFile(userConfiguration / "Help/VNLHelpEN.html"));
    EXPECT_FALSE(Exists(obsolete));

    WriteFile(obsolete, "not ours to remove");
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("--uninstall"));
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-u"));
    ExpectUninstalled(Configuration());
    ExpectUninstalled(userConfiguration);
    EXPECT_TRUE(Exists(obsolete));
    EXPECT_FALSE(Exists(SharedScript()) || Exists(Package(0)) || Exists(Package(1)));
    EXPECT_TRUE(Exists(SharedScript().parent_path()));
}

TEST_F(EndToEndTest, WithoutAUserFolderOrExtensionManagerOnlyTheInstallationIsWritten)
{
    fs::remove_all(root / "AppData");
    manager.Delete();
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-i"));
    ExpectInstalled(Configuration());
    EXPECT_EQ((Outcome{0, 0, 0, 0}), Run("-u"));
    EXPECT_FALSE(Exists(root / "AppData") || Exists(root / "EM"));
}

TEST_F(EndToEndTest, NoSwitchOrTwoContradictingOnesOrARunningDreamweaverChangeNothing)
{
    WriteFile(obsolete, "old release");
    EXPECT_EQ((Outcome{1, 0, 0, 1}), Run(""));
    EXPECT_EQ((Outcome{1, 1, 0, 0}), Run("-i -u"));
    TestSupport::TopLevelWindow dreamweaver("Macromedia Dreamweaver MX 2004 - [index.html]");
    EXPECT_EQ((Outcome{1, 0, 1, 0}), Run("-i", IDABORT));
    EXPECT_EQ(ReadFile(TestSupport::HostFile(TEST_DATA_DIR "/Configuration/Menus/menus.xml")),
              ReadFile(Configuration() / "Menus/menus.xml"));
    EXPECT_TRUE(Exists(obsolete));
    EXPECT_FALSE(Exists(Configuration() / "Floaters"));
    EXPECT_EQ((Outcome{0, 0, 1, 0}), Run("-i", IDIGNORE));
    ExpectInstalled(Configuration());
}

// Each failure ends the run with one error box and exit code 1; what was
// done before it stays done, and nothing after it happens.
TEST_F(EndToEndTest, AFailureStopsTheRunWhereItHappens)
{
    using Utilities::ScopedHandle;
    const fs::path menus = userConfiguration / "Menus/menus.xml";
    const struct {
        const char* failure;
        std::function<ScopedHandle()> arrange; // gives what it holds open during the run
        std::string error;
        fs::path exists, absent;
    } rows[] = {
        {"no Dreamweaver", [&] { path.Delete(); return ScopedHandle(); }, "Installer: Dreamweaver has not been found",
         obsolete, Configuration() / "Floaters"},
        {"its folder gone", [&] { path.SetString(NativeText(root / "Gone")); return ScopedHandle(); },
         "Installer: Dreamweaver information has been found", obsolete, Configuration() / "Floaters"},
        {"no Files folder", [&] { fs::remove_all(distribution / Deployed::SourceFolder); return ScopedHandle(); },
         "Installer: Cannot copy source file \"Files\\Loomlet.dll\" to target location \"" +
             NativeText(Configuration() / "JSExtensions/Loomlet.dll") + "\" (",
         {}, obsolete},
        {"a folder in the way",
         [&] { WriteFile(Configuration() / "Help/VNLHelpEN.html/notes.txt", "the user's"); return ScopedHandle(); },
         "Installer: Cannot copy source file \"Files\\VNLHelpEN.html\"", Configuration() / "Strings/VNLStringsEN.xml",
         Configuration() / "Extensions"},
        {"no AppData value", [&] { appData.Delete(); return ScopedHandle(); }, "Cannot get value \"", SharedScript(),
         Package(0)},
        {"the user's menus locked", [&] { return HoldOpen(menus, 0); },
         "Installer: Cannot edit \"" + NativeText(menus) + "\" (", userConfiguration / "Help/VNLHelpEN.html", Package(0)},
    };
    for (const auto& row : rows) {
        fs::remove_all(root.Path());
        Arrange();
        WriteFile(obsolete, "old release");
        const std::string before = ReadFile(menus);
        {
            const ScopedHandle held = row.arrange();
            EXPECT_EQ((Outcome{1, 1, 0, 0}), Run("-i")) << row.failure;
        }
        EXPECT_EQ(row.error, lastError.substr(0, row.error.size())) << row.failure;
        EXPECT_TRUE(row.exists.empty() || Exists(row.exists)) << row.failure;
        EXPECT_FALSE(Exists(row.absent)) << row.failure;
        EXPECT_EQ(before, ReadFile(menus)) << row.failure;
    }
}
