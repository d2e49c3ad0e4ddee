#include "DreamweaverInstaller.hpp"

#include "DeployedFiles.hpp"
#include "FileOperations.hpp"
#include "Paths.hpp"

namespace fs = boost::filesystem;

namespace Installer {

namespace {

const fs::path SourceFolder(Deployed::SourceFolder);

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
    const auto& script = Deployed::SharedScript;
    Copy(SourceFolder / script.name, GetInstallationPath("Configuration/Shared") / script.folder / script.name);
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
        Remove(shared / Deployed::SharedScript.folder / Deployed::SharedScript.name);
    }
    RemoveMenuEntries(configurationFolder);
}

void DreamweaverInstaller::RemoveObsoleteFiles(const fs::path& configurationFolder)
{
    Remove(configurationFolder / Deployed::ObsoleteLibrary.folder / Deployed::ObsoleteLibrary.name);
}

void DreamweaverInstaller::GetFileList(FileList& files)
{
    files.clear();
    for (const auto& file : Deployed::ConfigurationFiles) {
        files.emplace_back(file.name, fs::path(file.folder) / file.name);
    }
}

void DreamweaverInstaller::InstallExtensionPackage()
{
    const fs::path folder = GetExtensionManagerPath(Deployed::PackageFolder);
    if (folder.empty()) {
        return;
    }
    for (const char* file : Deployed::PackageFiles) {
        Copy(SourceFolder / file, folder / file);
    }
}

void DreamweaverInstaller::UninstallExtensionPackage()
{
    const fs::path folder = GetExtensionManagerPath(Deployed::PackageFolder);
    if (folder.empty()) {
        return;
    }
    for (const char* file : Deployed::PackageFiles) {
        Remove(folder / file);
    }
}

} // namespace Installer
