#pragma once
// The installer for Dreamweaver: where it lives, which files go where, and
// the entries in its menus and insert bar.
#include "Application.hpp"

#include <boost/filesystem/path.hpp>

#include <string>
#include <utility>
#include <vector>

namespace Installer {

// Pairs of (source, target): a file name in "Files" and a path below a
// configuration folder, or two full paths.
using FileList = std::vector<std::pair<boost::filesystem::path, boost::filesystem::path>>;

// What an operation does to a configuration folder's menus and insert bar.
enum class MenuEdit { Remove, Add };

class DreamweaverInstaller : public Application {
public:
    DreamweaverInstaller(const std::string& commandLine, Log& log);

    std::string GetHostName() override;
    std::string GetRequiredHostName() override;
    void GetWindowTitleKeywords(std::vector<std::string>& keywords) override;
    std::string FindHostInUse() override;
    void Prepare(Operation operation) override;
    void Install() override;
    void Uninstall() override;

    // The installation folder joined with the sub-path.
    boost::filesystem::path GetInstallationPath(const std::string& subPath);
    // Application Data / "Macromedia" / installation folder's name / sub-path.
    boost::filesystem::path GetUserDataPath(const std::string& subPath);
    // The Extension Manager's folder joined with the sub-path; empty when
    // the Extension Manager is not registered.
    boost::filesystem::path GetExtensionManagerPath(const std::string& subPath);
    // The file name of the registered Dreamweaver program; empty when none is registered.
    std::wstring GetHostProgramName();
    // Logs the folders found, or that one is absent and skipped.
    void ReportFolders();
    // The installation's configuration folder, and the user's when it exists.
    std::vector<boost::filesystem::path> GetConfigurationFolders();

    // Every copy that an install makes, in its order, with full paths.
    FileList GetCopies();
    void GetConfigurationCopies(const boost::filesystem::path& configurationFolder, FileList& copies);
    void GetPackageCopies(FileList& copies);

    void InstallConfiguration(const boost::filesystem::path& configurationFolder);
    void UninstallConfiguration(const boost::filesystem::path& configurationFolder);
    void RemoveObsoleteFiles(const boost::filesystem::path& configurationFolder);
    void GetFileList(FileList& files);
    void InstallExtensionPackage();
    void UninstallExtensionPackage();

    void AddMenuEntries(const boost::filesystem::path& configurationFolder);
    void RemoveMenuEntries(const boost::filesystem::path& configurationFolder);
    // Makes the edits of the folder's menus and insert bar in memory, in
    // order, and throws what would end them: an item that an entry goes
    // after is missing, or a file that they change cannot be read or saved.
    void CheckMenuEdits(const boost::filesystem::path& configurationFolder, const std::vector<MenuEdit>& edits);
};

} // namespace Installer
