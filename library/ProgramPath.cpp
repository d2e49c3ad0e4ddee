#include "ProgramPath.hpp"

#include "Paths.hpp"
#include "Registry.hpp"

#include <boost/filesystem/path.hpp>

const char* const PluginBaseKey = "HKEY_CURRENT_USER\\Software\\Brantel\\Vantrelle\\Plugin";
const char* const ProgramPathValue = "ProgramPath";

namespace {

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

boost::filesystem::path ReadProgramPath(PluginHost host)
{
    Utilities::Registry::Key key(PluginKeyPath(host));
    if (!key.Exists()) {
        key.SetRootName(Utilities::Registry::LocalMachine);
        if (!key.Exists()) {
            return {};
        }
    }
    return Utilities::MakePath(Utilities::Registry::Value(key, ProgramPathValue).GetWideString());
}

bool ProgramPathExists(PluginHost host)
{
    const boost::filesystem::path path = ReadProgramPath(host);
    return !path.empty() && Utilities::Exists(path);
}
