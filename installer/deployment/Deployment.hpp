#pragma once
// Which files an install puts where, with full paths, found once for a run.
#include <boost/filesystem/path.hpp>

#include <vector>

namespace Installer {

struct FileCopy {
    boost::filesystem::path source, target;
};
using FileCopies = std::vector<FileCopy>;

struct Deployment {
    struct Configuration {
        boost::filesystem::path folder;
        FileCopies copies; // the extension's files; the installation's gets the shared script too
    };
    std::vector<Configuration> configurations; // the installation's first
    FileCopies packages;                        // for the Extension Manager

    // Every copy, in the install's order.
    FileCopies AllCopies() const;
};

// The distribution's folder of files: "Files" in the current folder, as
// always; a shortcut or a command prompt may start the installer elsewhere,
// so else "Files" beside the program; else "Files", named as looked for.
boost::filesystem::path FindSourceFolder();

// What an install copies from the source folder into the configuration
// folders, the installation's first, and into the Extension Manager's
// package folder, unless that is empty.
Deployment PlanDeployment(const boost::filesystem::path& source, const std::vector<boost::filesystem::path>& configurationFolders,
                          const boost::filesystem::path& packageFolder);

// The extension's files in a configuration folder, in the install's order.
std::vector<boost::filesystem::path> DeployedFiles(const boost::filesystem::path& configurationFolder);
// The library of an older release in a configuration folder.
boost::filesystem::path ObsoleteLibrary(const boost::filesystem::path& configurationFolder);
// The folder of the shared script in the installation's configuration folder,
// and the script in it.
boost::filesystem::path SharedFolder(const boost::filesystem::path& installationConfiguration);
boost::filesystem::path SharedScript(const boost::filesystem::path& installationConfiguration);
// The packages in the Extension Manager's package folder.
std::vector<boost::filesystem::path> PackageFiles(const boost::filesystem::path& packageFolder);

} // namespace Installer
