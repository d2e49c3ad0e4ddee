#include "DreamweaverInstaller.hpp"

#include "Layout.hpp"
#include "Paths.hpp"

#include <gtest/gtest.h>

using namespace TestSupport;
using Utilities::NativeText;

// The end-to-end tests find Dreamweaver in the ordinary ways; these are the
// unusual registrations, each giving a folder or the text of a failure.
TEST(HostLocation, TheFoldersComeFromTheRegistryAsWrittenAndOnlyAnInstallationThatExistsCounts)
{
    TempFolder folder;
    WriteFile(folder / "DW/Dreamweaver.exe", "");
    const std::string installation = NativeText(folder / "DW");
    ScopedRegistryValue path(DreamweaverKey, "Path"), manager(ExtensionManagerKey, "");
    Installer::DreamweaverInstaller installer("");
    const auto outcome = [&](fs::path (Installer::DreamweaverInstaller::*lookup)(const std::string&), const char* below) {
        return TextOrFailure([&] { return NativeText((installer.*lookup)(below)); });
    };
    const auto missing = [](const std::string& folder) {
        return "Installer: Dreamweaver information has been found, but the directory where it should reside does not "
               "exist under \"" + folder + "\". Your installation might be broken. Try to reinstall Dreamweaver MX 2004 or newer.";
    };
    const std::tuple<std::string, DWORD, std::string> rows[] = {
        {installation + "\\Dreamweaver.exe", REG_SZ, installation + "\\Dreamweaver.exe\\Configuration"},
        {folder.path.string() + "/Missing;" + installation, REG_SZ, missing(NativeText(folder / "Missing"))},
        {";" + installation, REG_SZ, missing("")},
        {"%ProgramFiles%\\DW", REG_EXPAND_SZ, missing("%ProgramFiles%\\DW")},
        // 1, and the terminator that SetString adds
        {std::string("\1\0\0", 3), REG_DWORD, "Incompatible value type of \"" + std::string(DreamweaverKey) + "\\Path\""},
    };
    for (const auto& [value, type, configuration] : rows) {
        path.SetString(value, type);
        EXPECT_EQ(configuration, outcome(&Installer::DreamweaverInstaller::GetInstallationPath, "Configuration")) << value;
    }
    path.Delete();
    EXPECT_EQ("Installer: Dreamweaver has not been found on this machine. Try to reinstall Dreamweaver MX 2004 or newer.",
              outcome(&Installer::DreamweaverInstaller::GetInstallationPath, ""));
    for (const std::string program : {"Extension Manager.exe", ""}) {
        manager.SetString(program);
        EXPECT_EQ("", outcome(&Installer::DreamweaverInstaller::GetExtensionManagerPath, "Configuration/Extensions")) << program;
    }
}
