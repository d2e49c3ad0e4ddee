#include "DreamweaverInstaller.hpp"

#include "FileOperations.hpp"
#include "HostProcess.hpp"
#include "MenuEntries.hpp"
#include "Messages.hpp"
#include "Paths.hpp"
#include "Text.hpp"

#include <boost/format.hpp>

namespace fs = boost::filesystem;

namespace Installer {

DreamweaverInstaller::DreamweaverInstaller(const std::string& commandLine, Log& log) : Application(commandLine, log) {}

std::string DreamweaverInstaller::GetHostName() { return "Dreamweaver"; }

std::string DreamweaverInstaller::GetRequiredHostName() { return "Dreamweaver MX 2004"; }

void DreamweaverInstaller::GetWindowTitleKeywords(std::vector<std::string>& keywords)
{
    keywords.assign({"macromedia dreamweaver"});
}

const DreamweaverInstaller::Plan& DreamweaverInstaller::GetPlan()
{
    if (!plan) {
        HostFolders folders = FindHostFolders({GetHostName(), GetRequiredHostName()});
        std::vector<fs::path> configurations{folders.InstallationConfiguration()};
        for (const fs::path& user : folders.users) {
            if (Utilities::Exists(user)) {
                configurations.push_back(user);
            }
        }
        Deployment deployment = PlanDeployment(FindSourceFolder(), configurations, folders.packages);
        plan = Plan{std::move(folders), std::move(deployment)};
    }
    return *plan;
}

std::string DreamweaverInstaller::FindHostInUse()
{
    const std::wstring program = FindHostProgramName();
    const std::wstring running = program.empty() ? program : FindProgramProcess(program);
    if (!running.empty()) {
        return (boost::format(Messages::HostProcess) % Utilities::Utf8FromWide(running)).str();
    }
    const Deployment& deployment = GetPlan().deployment;
    std::vector<fs::path> files;
    for (const Deployment::Configuration& configuration : deployment.configurations) {
        files.push_back(ObsoleteLibrary(configuration.folder));
    }
    for (const FileCopy& copy : deployment.AllCopies()) {
        files.push_back(copy.target);
    }
    for (const fs::path& file : files) {
        if (IsInUse(file)) {
            return (boost::format(Messages::HostFileInUse) % Utilities::NativeText(file)).str();
        }
    }
    return {};
}

// Whatever can be known before the first change is checked: the sources of
// the copies and the edits of the configuration files, so that such a
// failure changes nothing.
void DreamweaverInstaller::Prepare(Operation operation)
{
    const Plan& plan = GetPlan();
    ReportFolders(plan.folders);
    std::vector<MenuEdit> edits;
    if (operation != Operation::Install) {
        edits.push_back(MenuEdit::Remove);
    }
    if (operation != Operation::Uninstall) {
        for (const FileCopy& copy : plan.deployment.AllCopies()) {
            CheckSource(copy.source, copy.target);
        }
        edits.insert(edits.end(), {MenuEdit::Remove, MenuEdit::Add});
    }
    for (const Deployment::Configuration& configuration : plan.deployment.configurations) {
        CheckMenuEdits(configuration.folder, edits);
    }
}

void DreamweaverInstaller::Install()
{
    const Deployment& deployment = GetPlan().deployment;
    for (const Deployment::Configuration& configuration : deployment.configurations) {
        Remove(ObsoleteLibrary(configuration.folder), log);
        for (const FileCopy& copy : configuration.copies) {
            Copy(copy.source, copy.target, log);
        }
        RemoveMenuEntries(configuration.folder);
        AddMenuEntries(configuration.folder);
    }
    for (const FileCopy& copy : deployment.packages) {
        Copy(copy.source, copy.target, log);
    }
}

// Every user folder is cleared, there or not: what an install left in one
// that has gone away since cannot be there either.
void DreamweaverInstaller::Uninstall()
{
    const HostFolders& folders = GetPlan().folders;
    const fs::path installation = folders.InstallationConfiguration();
    std::vector<fs::path> configurations{installation};
    configurations.insert(configurations.end(), folders.users.begin(), folders.users.end());
    for (const fs::path& configuration : configurations) {
        for (const fs::path& file : DeployedFiles(configuration)) {
            Remove(file, log);
        }
        if (configuration == installation && Utilities::Exists(SharedFolder(installation))) {
            Remove(SharedScript(installation), log);
        }
        RemoveMenuEntries(configuration);
    }
    for (const fs::path& package : PackageFiles(folders.packages)) {
        Remove(package, log);
    }
}

void DreamweaverInstaller::AddMenuEntries(const fs::path& configurationFolder) { Installer::AddMenuEntries(configurationFolder, log); }

void DreamweaverInstaller::RemoveMenuEntries(const fs::path& configurationFolder) { Installer::RemoveMenuEntries(configurationFolder, log); }

void DreamweaverInstaller::ReportFolders(const HostFolders& folders)
{
    using Utilities::NativeText;
    const auto folder = [&](const char* format, const char* what, const fs::path& path) {
        log.Write((boost::format(format) % what % NativeText(path)).str());
    };
    folder(Messages::Folder, "Installation folder", folders.installation);
    for (const fs::path& user : folders.users) {
        folder(Utilities::Exists(user) ? Messages::Folder : Messages::FolderSkipped, "User configuration folder", user);
    }
    if (folders.users.empty()) {
        folder(Messages::FolderSkipped, "User configuration folder", folders.usersLookedFor);
    }
    folders.packages.empty() ? log.Write(Messages::ManagerSkipped) : folder(Messages::Folder, "Extension Manager's package folder", folders.packages);
}

} // namespace Installer
