#include "DreamweaverInstaller.hpp"

#include "DeployedFiles.hpp"
#include "FileOperations.hpp"
#include "HostProcess.hpp"
#include "Messages.hpp"
#include "Paths.hpp"
#include "Text.hpp"

#include <boost/format.hpp>

#include <windows.h>

namespace fs = boost::filesystem;

namespace Installer {

namespace {

// "Files" in the current folder, as always; a shortcut or a command prompt
// may start the installer elsewhere, so else "Files" beside the program.
fs::path SourceFolder()
{
    const fs::path here(Deployed::SourceFolder);
    if (Utilities::Exists(here)) {
        return here;
    }
    std::wstring program(32768, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    const fs::path beside = fs::path(program).parent_path() / Deployed::SourceFolder;
    return !program.empty() && Utilities::Exists(beside) ? beside : here;
}

} // namespace

void DreamweaverInstaller::Install()
{
    for (const fs::path& configuration : GetConfigurationFolders()) {
        InstallConfiguration(configuration);
    }
    InstallExtensionPackage();
}

void DreamweaverInstaller::Uninstall()
{
    UninstallConfiguration(GetInstallationPath("Configuration"));
    for (const fs::path& user : GetUserConfigurationFolders()) {
        UninstallConfiguration(user);
    }
    UninstallExtensionPackage();
}

// Whatever can be known before the first change is checked: the sources of
// the copies and the edits of the configuration files, so that such a
// failure changes nothing.
void DreamweaverInstaller::Prepare(Operation operation)
{
    ReportFolders();
    std::vector<MenuEdit> edits;
    if (operation != Operation::Install) {
        edits.push_back(MenuEdit::Remove);
    }
    if (operation != Operation::Uninstall) {
        for (const auto& [source, target] : GetCopies()) {
            CheckSource(source, target);
        }
        edits.insert(edits.end(), {MenuEdit::Remove, MenuEdit::Add});
    }
    for (const fs::path& configuration : GetConfigurationFolders()) {
        CheckMenuEdits(configuration, edits);
    }
}

std::string DreamweaverInstaller::FindHostInUse()
{
    const std::wstring program = GetHostProgramName();
    const std::wstring running = program.empty() ? program : FindProgramProcess(program);
    if (!running.empty()) {
        return (boost::format(Messages::HostProcess) % Utilities::Utf8FromWide(running)).str();
    }
    std::vector<fs::path> files;
    for (const fs::path& configuration : GetConfigurationFolders()) {
        files.push_back(configuration / Deployed::ObsoleteLibrary.folder / Deployed::ObsoleteLibrary.name);
    }
    for (const auto& copy : GetCopies()) {
        files.push_back(copy.second);
    }
    for (const fs::path& file : files) {
        if (IsInUse(file)) {
            return (boost::format(Messages::HostFileInUse) % Utilities::NativeText(file)).str();
        }
    }
    return {};
}

std::vector<fs::path> DreamweaverInstaller::GetConfigurationFolders()
{
    std::vector<fs::path> folders{GetInstallationPath("Configuration")};
    for (const fs::path& user : GetUserConfigurationFolders()) {
        if (Utilities::Exists(user)) {
            folders.push_back(user);
        }
    }
    return folders;
}

FileList DreamweaverInstaller::GetCopies()
{
    FileList copies;
    for (const fs::path& configuration : GetConfigurationFolders()) {
        GetConfigurationCopies(configuration, copies);
    }
    GetPackageCopies(copies);
    return copies;
}

void DreamweaverInstaller::GetConfigurationCopies(const fs::path& configurationFolder, FileList& copies)
{
    const fs::path source = SourceFolder();
    FileList files;
    GetFileList(files);
    for (const auto& [name, target] : files) {
        copies.emplace_back(source / name, configurationFolder / target);
    }
    const auto& script = Deployed::SharedScript;
    copies.emplace_back(source / script.name, GetInstallationPath("Configuration/Shared") / script.folder / script.name);
}

void DreamweaverInstaller::GetPackageCopies(FileList& copies)
{
    const fs::path folder = GetExtensionManagerPath(Deployed::PackageFolder);
    if (folder.empty()) {
        return;
    }
    const fs::path source = SourceFolder();
    for (const char* file : Deployed::PackageFiles) {
        copies.emplace_back(source / file, folder / file);
    }
}

void DreamweaverInstaller::InstallConfiguration(const fs::path& configurationFolder)
{
    RemoveObsoleteFiles(configurationFolder);
    FileList copies;
    GetConfigurationCopies(configurationFolder, copies);
    for (const auto& [source, target] : copies) {
        Copy(source, target, log);
    }
    RemoveMenuEntries(configurationFolder);
    AddMenuEntries(configurationFolder);
}

void DreamweaverInstaller::UninstallConfiguration(const fs::path& configurationFolder)
{
    FileList files;
    GetFileList(files);
    for (const auto& entry : files) {
        Remove(configurationFolder / entry.second, log);
    }
    const fs::path shared = GetInstallationPath("Configuration/Shared");
    if (Utilities::Exists(shared)) {
        Remove(shared / Deployed::SharedScript.folder / Deployed::SharedScript.name, log);
    }
    RemoveMenuEntries(configurationFolder);
}

void DreamweaverInstaller::RemoveObsoleteFiles(const fs::path& configurationFolder)
{
    Remove(configurationFolder / Deployed::ObsoleteLibrary.folder / Deployed::ObsoleteLibrary.name, log);
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
    FileList copies;
    GetPackageCopies(copies);
    for (const auto& [source, target] : copies) {
        Copy(source, target, log);
    }
}

void DreamweaverInstaller::UninstallExtensionPackage()
{
    const fs::path folder = GetExtensionManagerPath(Deployed::PackageFolder);
    if (folder.empty()) {
        return;
    }
    for (const char* file : Deployed::PackageFiles) {
        Remove(folder / file, log);
    }
}

} // namespace Installer
