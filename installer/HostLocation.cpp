#include "DreamweaverInstaller.hpp"

#include "DeployedFiles.hpp"
#include "Exception.hpp"
#include "HostRegistry.hpp"
#include "HostVersion.hpp"
#include "Messages.hpp"
#include "Paths.hpp"
#include "ProgramFile.hpp"
#include "Registry.hpp"
#include "Text.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/format.hpp>

#include <algorithm>

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

// The extension's library is built as this program is.
constexpr int LibraryBits = sizeof(void*) * 8;

// In the installation folder.
constexpr const char* HostProgram = "Dreamweaver.exe";

boost::filesystem::path FolderOf(const Utilities::Registry::Value& paths)
{
    return Utilities::MakePath(Unquoted(FirstPathEntry(paths.GetWideString())));
}

} // namespace

boost::filesystem::path DreamweaverInstaller::GetInstallationPath(const std::string& subPath)
{
    const Utilities::Registry::Key key(HostRegistry::DreamweaverKey);
    const Utilities::Registry::Value value(key, HostRegistry::DreamweaverFolders);
    if (!value.Exists()) {
        ThrowHostNotFound();
    }
    const boost::filesystem::path folder = FolderOf(value);
    if (!Utilities::Exists(folder)) {
        throw Exception((boost::format(Messages::HostFolderMissing) % GetHostName() %
                         Utilities::NativeText(folder) % GetRequiredHostName())
                            .str());
    }
    const int bits = ReadProgramBits(folder / HostProgram);
    if (bits != 0 && bits != LibraryBits) {
        ThrowHostOfOtherBits(folder, bits);
    }
    return folder / subPath;
}

// Windows 7 and later share the App Paths key between the registry's views,
// but earlier 64-bit Windows versions keep a 64-bit program's entry in the
// 64-bit view, which a 32-bit program does not read.
void DreamweaverInstaller::ThrowHostNotFound()
{
    const Utilities::Registry::Key key(HostRegistry::DreamweaverKey, Utilities::Registry::View::SixtyFourBit);
    const Utilities::Registry::Value value(key, HostRegistry::DreamweaverFolders);
    if (value.Exists()) {
        ThrowHostOfOtherBits(FolderOf(value), 64);
    }
    throw Exception((boost::format(Messages::HostNotFound) % GetHostName() % GetRequiredHostName()).str());
}

// A Dreamweaver that cannot load the extension's library is named, not sent
// to be reinstalled for nothing, and nothing is installed into it.
void DreamweaverInstaller::ThrowHostOfOtherBits(const boost::filesystem::path& folder, int bits)
{
    throw Exception((boost::format(Messages::HostOfOtherBits) % GetHostName() % Utilities::NativeText(folder) % bits % LibraryBits %
                     GetRequiredHostName())
                        .str());
}

DreamweaverInstaller::UserConfigurationPlace DreamweaverInstaller::GetUserConfigurationPlace()
{
    const Utilities::Registry::Key key(HostRegistry::ShellFoldersKey);
    const boost::filesystem::path appData =
        Utilities::MakePath(Utilities::Registry::Value(key, HostRegistry::ApplicationData).GetWideString());
    const boost::filesystem::path installation = GetInstallationPath("");
    std::string version = AdobeVersionOfFolder(Utilities::Utf8FromWide(installation.filename().wstring()));
    if (version.empty()) {
        const auto [major, minor] = ReadProgramVersion(installation / HostProgram);
        version = AdobeVersionOfNumber(major, minor);
    }
    if (version.empty()) { // Macromedia's versions
        return {appData / "Macromedia" / installation.filename(), false};
    }
    const AdobeUserFolder adobe = AdobeUserFolderOf(version);
    return {appData / Utilities::WideFromUtf8(adobe.folder), adobe.perLanguage};
}

std::vector<boost::filesystem::path> DreamweaverInstaller::GetUserConfigurationFolders()
{
    const UserConfigurationPlace place = GetUserConfigurationPlace();
    if (!place.perLanguage) {
        return {place.folder / "Configuration"};
    }
    std::vector<boost::filesystem::path> folders;
    if (Utilities::Exists(place.folder)) {
        for (const auto& language : boost::filesystem::directory_iterator(place.folder)) {
            if (Utilities::Exists(language.path() / "Configuration")) {
                folders.push_back(language.path() / "Configuration");
            }
        }
    }
    std::sort(folders.begin(), folders.end());
    return folders;
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
    const UserConfigurationPlace place = GetUserConfigurationPlace();
    const std::vector<boost::filesystem::path> users = GetUserConfigurationFolders();
    for (const boost::filesystem::path& user : users) {
        const char* const userFormat = Utilities::Exists(user) ? Messages::Folder : Messages::FolderSkipped;
        log.Write((boost::format(userFormat) % "User configuration folder" % NativeText(user)).str());
    }
    if (users.empty()) {
        log.Write((boost::format(Messages::FolderSkipped) % "User configuration folder" % NativeText(place.folder / "*" / "Configuration")).str());
    }
    const boost::filesystem::path packages = GetExtensionManagerPath(Deployed::PackageFolder);
    log.Write(packages.empty() ? std::string(Messages::ManagerSkipped)
                               : (boost::format(Messages::Folder) % "Extension Manager's package folder" % NativeText(packages)).str());
}

} // namespace Installer
