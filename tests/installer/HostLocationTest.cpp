#include "DreamweaverInstaller.hpp"
#include "HostRegistry.hpp"

#include "Paths.hpp"
#include "ScopedRegistry.hpp"
#include "TempFolder.hpp"

#include <gtest/gtest.h>

using Utilities::NativeText;
namespace HostRegistry = Installer::HostRegistry;

namespace {

class HostLocationTest : public ::testing::Test {
protected:
    HostLocationTest() { TestSupport::WriteFile(folder / "Dreamweaver 8/Dreamweaver.exe", ""); }

    // The path made, or the text of the failure to make it.
    template <class Lookup>
    std::string Outcome(Lookup lookup)
    {
        try {
            return NativeText(lookup());
        } catch (const std::exception& failure) {
            return failure.what();
        }
    }

    TestSupport::TempFolder folder;
    const std::string installation = NativeText(folder / "Dreamweaver 8");
    TestSupport::ScopedRegistryValue path{HostRegistry::DreamweaverKey, HostRegistry::DreamweaverFolders};
    TestSupport::ScopedRegistryValue appData{HostRegistry::ShellFoldersKey, HostRegistry::ApplicationData};
    TestSupport::ScopedRegistryValue manager{HostRegistry::ExtensionManagerKey, HostRegistry::ExtensionManagerProgram};
    Installer::DreamweaverInstaller installer{""};
};

std::string FolderMissing(const std::string& folder)
{
    return "Installer: Dreamweaver information has been found, but the directory where it should reside does not "
           "exist under \"" + folder + "\". Your installation might be broken. Try to reinstall Dreamweaver MX 2004 "
           "or newer.";
}

} // namespace

TEST_F(HostLocationTest, TheInstallationIsTheFirstFolderOfThePathValueAndMustExist)
{
    const struct {
        std::string value;
        DWORD type;
        std::string configuration;
    } rows[] = {
        {installation, REG_SZ, installation + "\\Configuration"},
        {installation + "\\;C:\\Elsewhere", REG_EXPAND_SZ, installation + "\\Configuration"},
        {installation + "\\Dreamweaver.exe", REG_SZ, installation + "\\Dreamweaver.exe\\Configuration"},
        {folder.Path().string() + "/Missing;" + installation, REG_SZ, FolderMissing(NativeText(folder / "Missing"))},
        {";" + installation, REG_SZ, FolderMissing("")},
        {"%ProgramFiles%\\Dreamweaver 8", REG_EXPAND_SZ, FolderMissing("%ProgramFiles%\\Dreamweaver 8")},
    };
    for (const auto& row : rows) {
        path.SetString(row.value, row.type);
        EXPECT_EQ(row.configuration, Outcome([&] { return installer.GetInstallationPath("Configuration"); })) << row.value;
    }
    path.SetDword(1);
    EXPECT_EQ("Incompatible value type of \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
              "Paths\\Dreamweaver.exe\\Path\"",
              Outcome([&] { return installer.GetInstallationPath(""); }));
    path.Delete();
    EXPECT_EQ("Installer: Dreamweaver has not been found on this machine. Try to reinstall Dreamweaver MX 2004 or newer.",
              Outcome([&] { return installer.GetInstallationPath(""); }));
}

TEST_F(HostLocationTest, TheUserFolderIsBelowApplicationDataByTheInstallationsName)
{
    appData.Delete();
    path.Delete();
    EXPECT_EQ("Cannot get value \"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
              "Folders\\AppData\"",
              Outcome([&] { return installer.GetUserDataPath("Configuration"); }));
    appData.SetString(NativeText(folder / "AppData"));
    path.SetString(installation + "\\");
    EXPECT_EQ(NativeText(folder / "AppData") + "\\Macromedia\\Dreamweaver 8\\Configuration",
              Outcome([&] { return installer.GetUserDataPath("Configuration"); }));
}

TEST_F(HostLocationTest, TheExtensionManagerFolderHoldsItsProgramAndNoFolderMeansNone)
{
    const std::pair<std::string, std::string> rows[] = {
        {NativeText(folder / "EM/Extension Manager.exe"), NativeText(folder / "EM") + "\\Configuration\\Extensions"},
        {"Extension Manager.exe", ""},
        {"", ""},
    };
    for (const auto& [program, packages] : rows) {
        manager.SetString(program);
        EXPECT_EQ(packages, Outcome([&] { return installer.GetExtensionManagerPath("Configuration/Extensions"); }));
    }
    manager.Delete();
    EXPECT_TRUE(installer.GetExtensionManagerPath("Configuration/Extensions").empty());
}
