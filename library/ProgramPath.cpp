#include "ProgramPath.hpp"

#include "Paths.hpp"
#include "Registry.hpp"

#include <boost/filesystem/path.hpp>
#include <boost/format.hpp>

#include <stdexcept>

const char* const PluginBaseKey = "HKEY_CURRENT_USER\\Software\\Brantel\\Vantrelle\\Plugin";
const char* const ProgramPathValue = "ProgramPath";

namespace {

const char* const InvalidName = "Invalid name \"%1%\" in path \"%2%\"";

const char* HostKeyName(PluginHost host)
{
    switch (host) {
    case FrontPage:
        return "FrontPage";
    case GoLive:
        return "GoLive";
    default:
        return "Dreamweaver";
    }
}

} // namespace

std::string PluginKeyPath(PluginHost host) { return std::string(PluginBaseKey) + "\\" + HostKeyName(host); }

boost::filesystem::path MakeNativePath(const std::string& text)
{
    const boost::filesystem::path path(text);
    for (const auto& element : path.relative_path()) {
        const std::string name = element.string();
        // A trailing separator shows as "." (or an empty name); both are fine.
        if (!name.empty() && !boost::filesystem::native(name)) {
            throw std::invalid_argument((boost::format(InvalidName) % name % text).str());
        }
    }
    return path;
}

boost::filesystem::path ReadProgramPath(PluginHost host)
{
    Utilities::Registry::Key key(PluginKeyPath(host));
    if (!key.Exists()) {
        key.SetRootName(Utilities::Registry::LocalMachine);
        if (!key.Exists()) {
            return {};
        }
    }
    return MakeNativePath(Utilities::Registry::Value(key, ProgramPathValue).GetString());
}

bool ProgramPathExists(PluginHost host)
{
    const boost::filesystem::path path = ReadProgramPath(host);
    return !path.empty() && Utilities::Exists(path);
}
