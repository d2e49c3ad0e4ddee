#include "HostFolders.hpp"

#include "Exception.hpp"
#include "HostRegistry.hpp"
#include "HostVersion.hpp"
#include "LocationMessages.hpp"
#include "Paths.hpp"
#include "ProgramFile.hpp"
#include "Registry.hpp"
#include "Text.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/format.hpp>

#include <algorithm>

namespace fs = boost::filesystem;
using Utilities::Registry::Key;
using Utilities::Registry::Value;

namespace Installer {

// Registry texts that become paths are read in the system's wide characters:
// a folder name that the ANSI code page lacks must not lose the folder.

namespace {

// The extension's library is built as this program is.
constexpr int LibraryBits = sizeof(void*) * 8;

// In the installation folder.
constexpr const char* HostProgram = "Dreamweaver.exe";

// Below the Extension Manager's folder.
constexpr const char* PackageFolder = "Configuration/Extensions";

// Windows accepts App Paths values in one pair of double quotes.
std::wstring Unquoted(const std::wstring& text)
{
    return text.size() >= 2 && text.front() == L'"' && text.back() == L'"' ? text.substr(1, text.size() - 2) : text;
}

// The first folder of an App Paths "Path" list; an empty first piece counts.
fs::path FolderOf(const Value& paths)
{
    const std::wstring text = paths.GetWideString();
    return Utilities::MakePath(Unquoted(text.substr(0, text.find(L';'))));
}

// A Dreamweaver that cannot load the extension's library is named, not sent
// to be reinstalled for nothing, and nothing is installed into it.
[[noreturn]] void ThrowOtherBits(const HostNames& names, const fs::path& folder, int bits)
{
    throw Exception((boost::format(Messages::HostOfOtherBits) % names.host % Utilities::NativeText(folder) % bits % LibraryBits % names.required)
                        .str());
}

// Windows 7 and later share the App Paths key between the registry's views,
// but earlier 64-bit Windows versions keep a 64-bit program's entry in the
// 64-bit view, which a 32-bit program does not read: one found only there is
// a 64-bit program, unless its program file says otherwise.
[[noreturn]] void ThrowNotFound(const HostNames& names)
{
    const Key key(HostRegistry::DreamweaverKey, Utilities::Registry::View::SixtyFourBit);
    const Value value(key, HostRegistry::DreamweaverFolders);
    if (value.Exists()) {
        const fs::path folder = FolderOf(value);
        const int bits = ReadProgramBits(folder / HostProgram);
        if (bits != LibraryBits) {
            ThrowOtherBits(names, folder, bits == 0 ? 64 : bits);
        }
    }
    throw Exception((boost::format(Messages::HostNotFound) % names.host % names.required).str());
}

fs::path FindInstallation(const HostNames& names)
{
    const Key key(HostRegistry::DreamweaverKey);
    const Value value(key, HostRegistry::DreamweaverFolders);
    if (!value.Exists()) {
        ThrowNotFound(names);
    }
    const fs::path folder = FolderOf(value);
    if (!Utilities::Exists(folder)) {
        throw Exception((boost::format(Messages::HostFolderMissing) % names.host % Utilities::NativeText(folder) % names.required).str());
    }
    const int bits = ReadProgramBits(folder / HostProgram);
    if (bits != 0 && bits != LibraryBits) {
        ThrowOtherBits(names, folder, bits);
    }
    return folder;
}

// Where the installation's version keeps the user's configuration:
// Application Data / "Macromedia" / the installation folder's name for
// Macromedia's versions; for the Adobe-branded ones, told by the folder's
// name or else by the program's version, the folder of HostVersion.hpp.
void FindUserFolders(const fs::path& installation, HostFolders& folders)
{
    const Key key(HostRegistry::ShellFoldersKey);
    const fs::path appData = Utilities::MakePath(Value(key, HostRegistry::ApplicationData).GetWideString());
    std::string version = AdobeVersionOfFolder(Utilities::Utf8FromWide(installation.filename().wstring()));
    if (version.empty()) {
        const auto [major, minor] = ReadProgramVersion(installation / HostProgram);
        version = AdobeVersionOfNumber(major, minor);
    }
    const AdobeUserFolder adobe = version.empty() ? AdobeUserFolder{"", false} : AdobeUserFolderOf(version);
    const fs::path place = version.empty() ? appData / "Macromedia" / installation.filename() : appData / Utilities::WideFromUtf8(adobe.folder);
    folders.usersLookedFor = adobe.perLanguage ? place / "*" / "Configuration" : place / "Configuration";
    if (!adobe.perLanguage) {
        folders.users = {folders.usersLookedFor};
        return;
    }
    if (Utilities::Exists(place)) {
        for (const auto& language : fs::directory_iterator(place)) {
            if (Utilities::Exists(language.path() / "Configuration")) {
                folders.users.push_back(language.path() / "Configuration");
            }
        }
    }
    std::sort(folders.users.begin(), folders.users.end());
}

// The folder of the registered Extension Manager program; empty when none is
// registered. A registration without a folder (an empty text or a bare file
// name) names no place to put packages either: without this the packages
// would land below whatever the current folder is.
fs::path FindPackageFolder()
{
    const Key key(HostRegistry::ExtensionManagerKey);
    const Value program(key, HostRegistry::ExtensionManagerProgram);
    if (!program.Exists()) {
        return {};
    }
    const fs::path folder = Utilities::MakePath(Unquoted(program.GetWideString())).parent_path();
    return folder.empty() ? folder : folder / PackageFolder;
}

} // namespace

HostFolders FindHostFolders(const HostNames& names)
{
    HostFolders folders;
    folders.installation = FindInstallation(names);
    FindUserFolders(folders.installation, folders);
    folders.packages = FindPackageFolder();
    return folders;
}

std::wstring FindHostProgramName()
{
    const Key key(HostRegistry::DreamweaverKey);
    const Value program(key, HostRegistry::DreamweaverProgram);
    if (!program.Exists()) {
        return {};
    }
    // Only the name counts, so a text that is no valid path still names it.
    const std::wstring text = Unquoted(program.GetWideString());
    return text.substr(text.find_last_of(L"\\/") + 1);
}

} // namespace Installer
