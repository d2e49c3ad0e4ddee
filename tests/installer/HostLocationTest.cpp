#include "DreamweaverInstaller.hpp"
#include "Exception.hpp"
#include "HostRegistry.hpp"

#include "FailureText.hpp"
#include "Paths.hpp"
#include "TempFolder.hpp"

#include <gtest/gtest.h>

using Utilities::NativeText;

namespace {

class HostLocationTest : public ::testing::Test {
protected:
    HostLocationTest()
    {
        registry.installation.Delete();
        registry.extensionManager.Delete();
        TestSupport::WriteFile(folder / "Dreamweaver 8" / "Dreamweaver.exe", "");
    }

    std::string Installation() { return NativeText(folder / "Dreamweaver 8"); }

    HostRegistry registry;
    TestSupport::TempFolder folder;
    Installer::DreamweaverInstaller installer{""};
};

const char* const NotFound =
    "Installer: Dreamweaver has not been found on this machine. Try to reinstall Dreamweaver MX 2004 or newer.";

std::string FolderMissing(const std::string& folder)
{
    return "Installer: Dreamweaver information has been found, but the directory where it should reside does not "
           "exist under \"" +
           folder + "\". Your installation might be broken. Try to reinstall Dreamweaver MX 2004 or newer.";
}

} // namespace

TEST_F(HostLocationTest, TheFirstFolderOfThePathValueIsTheInstallation)
{
    const struct {
        std::string path;
        std::string expected;
    } cases[] = {
        {Installation(), Installation() + "\\Configuration"},
        {Installation() + "\\", Installation() + "\\Configuration"},
        {Installation() + ";C:\\Elsewhere", Installation() + "\\Configuration"},
        {Installation() + "\\Dreamweaver.exe", Installation() + "\\Dreamweaver.exe\\Configuration"},
    };
    for (const auto& c : cases) {
        registry.installation.SetString(c.path);
        EXPECT_EQ(NativeText(installer.GetInstallationPath("Configuration")), c.expected) << c.path;
    }
    registry.installation.SetString(Installation());
    EXPECT_EQ(NativeText(installer.GetInstallationPath("")), Installation());
    EXPECT_EQ(NativeText(installer.GetInstallationPath("Configuration/Shared")),
              Installation() + "\\Configuration\\Shared");
}

TEST_F(HostLocationTest, AMissingInstallationIsReportedWithBothHostNames)
{
    EXPECT_EQ(TestSupport::FailureText<Installer::Exception>([&] { installer.GetInstallationPath("Configuration"); }),
              NotFound);
}

TEST_F(HostLocationTest, AMissingFolderIsReportedAsWritten)
{
    const struct {
        std::string path;
        DWORD type;
        std::string reported;
    } cases[] = {
        {folder.Path().string() + "/Missing;" + Installation(), REG_SZ, NativeText(folder / "Missing")},
        {";" + Installation(), REG_SZ, ""},
        {"%ProgramFiles%\\Macromedia\\Dreamweaver 8", REG_EXPAND_SZ, "%ProgramFiles%\\Macromedia\\Dreamweaver 8"},
    };
    for (const auto& c : cases) {
        registry.installation.SetString(c.path, c.type);
        EXPECT_EQ(TestSupport::FailureText<Installer::Exception>(
                      [&] { installer.GetInstallationPath("Configuration"); }),
                  FolderMissing(c.reported))
            << c.path;
    }
}

TEST_F(HostLocationTest, APathValueOfAnotherTypeIsNoString)
{
    registry.installation.SetDword(1);
    EXPECT_EQ(TestSupport::FailureText<std::invalid_argument>([&] { installer.GetInstallationPath(""); }),
              "Incompatible value type of \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
              "Paths\\Dreamweaver.exe\\Path\"");
}

TEST_F(HostLocationTest, TheUserFolderIsBelowApplicationDataByTheInstallationsName)
{
    registry.appData.SetString(NativeText(folder / "AppData"));
    for (const std::string& path : {Installation(), Installation() + "\\"}) {
        registry.installation.SetString(path);
        EXPECT_EQ(NativeText(installer.GetUserDataPath("Configuration")),
                  NativeText(folder / "AppData") + "\\Macromedia\\Dreamweaver 8\\Configuration")
            << path;
    }
}

TEST_F(HostLocationTest, AMissingApplicationDataValueIsReportedBeforeAMissingInstallation)
{
    registry.appData.Delete();
    EXPECT_EQ(TestSupport::FailureText<std::runtime_error>([&] { installer.GetUserDataPath("Configuration"); }),
              "Cannot get value \"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
              "Folders\\AppData\"");
}

TEST_F(HostLocationTest, TheExtensionManagerFolderHoldsItsProgram)
{
    EXPECT_TRUE(installer.GetExtensionManagerPath("Configuration/Extensions").empty());
    registry.extensionManager.SetString(NativeText(folder / "Extension Manager" / "Extension Manager.exe"));
    EXPECT_EQ(NativeText(installer.GetExtensionManagerPath("Configuration/Extensions")),
              NativeText(folder / "Extension Manager") + "\\Configuration\\Extensions");
}

TEST_F(HostLocationTest, AnExtensionManagerRegisteredWithoutAFolderCountsAsNotRegistered)
{
    for (const char* program : {"", "Extension Manager.exe"}) {
        registry.extensionManager.SetString(program);
        EXPECT_TRUE(installer.GetExtensionManagerPath("Configuration/Extensions").empty()) << program;
    }
}
