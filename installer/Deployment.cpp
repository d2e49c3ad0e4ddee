#include "DreamweaverInstaller.hpp"

#include "FileOperations.hpp"
#include "Paths.hpp"

namespace fs = boost::filesystem;

namespace Installer {

namespace {

const fs::path SourceFolder("Files");
const char* const SharedScript = "Loomlet.js";
const char* const PackageDescription = "VNLExtensionEN.mxi";
const char* const Package = "VNLExtensionEN.mxp";

} // namespace

void DreamweaverInstaller::Install()
{
    InstallConfiguration(GetInstallationPath("Configuration"));
    if (Utilities::Exists(GetUserDataPath("Configuration"))) {
        InstallConfiguration(GetUserDataPath("Configuration"));
    }
    InstallExtensionPackage();
}

void DreamweaverInstaller::Uninstall()
{
    UninstallConfiguration(GetInstallationPath("Configuration"));
    UninstallConfiguration(GetUserDataPath("Configuration"));
    UninstallExtensionPackage();
}

void DreamweaverInstaller::InstallConfiguration(const fs::path& configurationFolder)
{
    RemoveObsoleteFiles(configurationFolder);
    FileList files;
    GetFileList(files);
    for (const auto& [source, target] : files) {
        Copy(SourceFolder / source, configurationFolder / target);
    }
    Copy(SourceFolder / SharedScript, GetInstallationPath("Configuration/Shared") / "Common" / "Scripts" / SharedScript);
    RemoveMenuEntries(configurationFolder);
    AddMenuEntries(configurationFolder);
}

void DreamweaverInstaller::UninstallConfiguration(const fs::path& configurationFolder)
{
    FileList files;
    GetFileList(files);
    for (const auto& entry : files) {
        Remove(configurationFolder / entry.second);
    }
    const fs::path shared = GetInstallationPath("Configuration/Shared");
    if (Utilities::Exists(shared)) {
        Remove(shared / "Common" / "Scripts" / SharedScript);
    }
    RemoveMenuEntries(configurationFolder);
}

void DreamweaverInstaller::RemoveObsoleteFiles(const fs::path& configurationFolder)
{
    Remove(configurationFolder / "JSExtensions" / "VNL.dll");
}

void DreamweaverInstaller::GetFileList(FileList& files)
{
    static const std::pair<const char*, const char*> entries[] = {
        {"Loomlet.dll", "JSExtensions"},
        {"VNLFloater.html", "Floaters"},
        {"VNLFloater.js", "Floaters"},
        {"VNLObject.html", "Objects/Common"},
        {"VNLObject.js", "Objects/Common"},
        {"VNLObject.png", "Objects/Common"},
        {"VNLStringsEN.xml", "Strings"},
        {"VNLHelpEN.html", "Help"},
        {PackageDescription, "Extensions"},
    };
    files.clear();
    for (const auto& [file, folder] : entries) {
        files.emplace_back(file, fs::path(folder) / file);
    }
}

void DreamweaverInstaller::InstallExtensionPackage()
{
    const fs::path extensions = GetExtensionManagerPath("Configuration/Extensions");
    if (extensions.empty()) {
        return;
    }
    Copy(SourceFolder / PackageDescription, extensions / PackageDescription);
    Copy(SourceFolder / Package, extensions / Package);
}

void DreamweaverInstaller::UninstallExtensionPackage()
{
    const fs::path extensions = GetExtensionManagerPath("Configuration/Extensions");
    if (extensions.empty()) {
        return;
    }
    Remove(extensions / PackageDescription);
    Remove(extensions / Package);
}

} // namespace Installer
