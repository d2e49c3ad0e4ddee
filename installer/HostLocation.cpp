#include "DreamweaverInstaller.hpp"

#include "DeployedFiles.hpp"
#include "Exception.hpp"
#include "HostRegistry.hpp"
#include "Messages.hpp"
#include "Paths.hpp"
#include "Registry.hpp"

#include <boost/format.hpp>

namespace Installer {

// Registry texts that become paths are read in the system's wide characters:
// a folder name that the ANSI code page lacks must not lose the folder.

namespace {

// Windows accepts App Paths values in one pair of double quotes.
std::wstring Unquoted(const std::wstring& text)
{
    return text.size() >= 2 && text.front() == L'"' && text.back() == L'"' ? text.substr(1, text.size() - 2) : text;
}

// The first folder of an App Paths "Path" list; an empty first piece counts.
std::wstring FirstPathEntry(const std::wstring& paths) { return paths.substr(0, paths.find(L';')); }

} // namespace

boost::filesystem::path DreamweaverInstaller::GetInstallationPath(const std::string& subPath)
{
    const Utilities::Registry::Key key(HostRegistry::DreamweaverKey);
    const Utilities::Registry::Value value(key, HostRegistry::DreamweaverFolders);
    if (!value.Exists()) {
        throw Exception((boost::format(Messages::HostNotFound) % GetHostName() % GetRequiredHostName()).str());
    }
    const boost::filesystem::path folder = Utilities::MakePath(Unquoted(FirstPathEntry(value.GetWideString())));
    if (!Utilities::Exists(folder)) {
        throw Exception((boost::format(Messages::HostFolderMissing) % GetHostName() %
                         Utilities::NativeText(folder) % GetRequiredHostName())
                            .str());
    }
    return folder / subPath;
}

boost::filesystem::path DreamweaverInstaller::GetUserDataPath(const std::string& subPath)
{
    const Utilities::Registry::Key key(HostRegistry::ShellFoldersKey);
    const boost::filesystem::path appData =
        Utilities::MakePath(Utilities::Registry::Value(key, HostRegistry::ApplicationData).GetWideString());
    const boost::filesystem::path installationName = GetInstallationPath("").filename();
    return appData / "Macromedia" / installationName / subPath;
}

boost::filesystem::path DreamweaverInstaller::GetExtensionManagerPath(const std::string& subPath)
{
    const Utilities::Registry::Key key(HostRegistry::ExtensionManagerKey);
    const Utilities::Registry::Value program(key, HostRegistry::ExtensionManagerProgram);
    if (!program.Exists()) {
        return {};
    }
    // A registration without a folder (an empty text or a bare file name)
    // names no place to put packages: without this the packages would land
    // below whatever the current folder is.
    const boost::filesystem::path folder = Utilities::MakePath(Unquoted(program.GetWideString())).parent_path();
    return folder.empty() ? folder : folder / subPath;
}

std::wstring DreamweaverInstaller::GetHostProgramName()
{
    const Utilities::Registry::Key key(HostRegistry::DreamweaverKey);
    const Utilities::Registry::Value program(key, HostRegistry::DreamweaverProgram);
    if (!program.Exists()) {
        return {};
    }
    // Only the name counts, so a text that is no valid path still names it.
    const std::wstring text = Unquoted(program.GetWideString());
    return text.substr(text.find_last_of(L"\\/") + 1);
}

void DreamweaverInstaller::ReportFolders()
{
    using Utilities::NativeText;
    log.Write((boost::format(Messages::Folder) % "Installation folder" % NativeText(GetInstallationPath(""))).str());
    const boost::filesystem::path user = GetUserDataPath("Configuration");
    const char* const userFormat = Utilities::Exists(user) ? Messages::Folder : Messages::FolderSkipped;
    log.Write((boost::format(userFormat) % "User configuration folder" % NativeText(user)).str());
    const boost::filesystem::path packages = GetExtensionManagerPath(Deployed::PackageFolder);
    log.Write(packages.empty() ? std::string(Messages::ManagerSkipped)
                               : (boost::format(Messages::Folder) % "Extension Manager's package folder" % NativeText(packages)).str());
}

} // namespace Installer
