#include "DreamweaverInstaller.hpp"

#include "Exception.hpp"
#include "HostRegistry.hpp"
#include "Messages.hpp"
#include "Paths.hpp"
#include "Registry.hpp"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/format.hpp>

namespace Installer {

namespace {

// The first folder of an App Paths "Path" list; empty pieces count.
std::string FirstPathEntry(const std::string& paths)
{
    std::vector<std::string> pieces;
    boost::algorithm::split(pieces, paths, boost::algorithm::is_any_of(";"));
    return pieces.empty() ? std::string() : pieces.front();
}

} // namespace

boost::filesystem::path DreamweaverInstaller::GetInstallationPath(const std::string& subPath)
{
    const Utilities::Registry::Key key(HostRegistry::DreamweaverKey);
    const Utilities::Registry::Value value(key, HostRegistry::DreamweaverFolders);
    if (!value.Exists()) {
        throw Exception((boost::format(Messages::HostNotFound) % GetHostName() % GetRequiredHostName()).str());
    }
    const boost::filesystem::path folder = Utilities::MakePath(FirstPathEntry(value.GetString()));
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
        Utilities::MakePath(Utilities::Registry::Value(key, HostRegistry::ApplicationData).GetString());
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
    const boost::filesystem::path folder = Utilities::MakePath(program.GetString()).parent_path();
    return folder.empty() ? folder : folder / subPath;
}

} // namespace Installer
