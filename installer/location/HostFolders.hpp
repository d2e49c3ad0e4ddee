#pragma once
// Where Dreamweaver, the current user's own Dreamweaver configuration and
// the Extension Manager are, from the registry: found once for a run, before
// anything changes.
#include <boost/filesystem/path.hpp>

#include <string>
#include <vector>

namespace Installer {

// The names that the messages give the host: its own, and that of its
// oldest version that the extension supports.
struct HostNames {
    std::string host, required;
};

struct HostFolders {
    boost::filesystem::path installation;
    // The user's configuration folders of the installation's version: for
    // Macromedia's versions and CS3 the one folder, there or not; for the
    // later Adobe-branded ones that of each language that is there.
    std::vector<boost::filesystem::path> users;
    // Where they are looked for, "*" standing for each language.
    boost::filesystem::path usersLookedFor;
    // The Extension Manager's package folder; empty when it is not registered.
    boost::filesystem::path packages;

    // The installation's configuration folder.
    boost::filesystem::path InstallationConfiguration() const { return installation / "Configuration"; }
};

// Throws Installer::Exception when Dreamweaver is not registered, when its
// folder is not there, or when it is a program of other bits than the
// extension's library; errors of the registry and of the paths it holds
// pass unchanged.
HostFolders FindHostFolders(const HostNames& names);

// The file name of the registered Dreamweaver program; empty when none is
// registered.
std::wstring FindHostProgramName();

} // namespace Installer
