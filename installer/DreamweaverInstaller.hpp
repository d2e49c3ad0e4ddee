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
    // Throws that Dreamweaver is not found, or that the one found is a
    // 64-bit program.
    [[noreturn]] void ThrowHostNotFound();
    // Throws that the Dreamweaver in the folder is a program of other bits
    // than the extension's library.
    [[noreturn]] void ThrowHostOfOtherBits(const boost::filesystem::path& folder, int bits);
    // Where this installation's version keeps the user's own configuration:
    // Application Data / "Macromedia" / installation folder's name for
    // Macromedia's versions; for the Adobe-branded ones (told by the folder's
    // name, else by the program's version) the folder of HostVersion.hpp.
    struct UserConfigurationPlace {
        boost::filesystem::path folder;
        bool perLanguage; // each language's folder in it holds a Configuration folder
    };
    UserConfigurationPlace GetUserConfigurationPlace();
    // The place's Configuration folder, there or not, or the Configuration
    // folder of each language's folder there, in the order of their names.
    std::vector<boost::filesystem::path> GetUserConfigurationFolders();
    // The Extension Manager's folder joined with the sub-path; empty when
    // the Extension Manager is not registered.
    boost::filesystem::path GetExtensionManagerPath(const std::string& subPath);
    // The file name of the registered Dreamweaver program; empty when none is registered.
    std::wstring GetHostProgramName();
    // Logs the folders found, or that one is absent and skipped.
    void ReportFolders();
    // The installation's configuration folder, and the user's that exist.
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
