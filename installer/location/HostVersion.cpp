#include "HostVersion.hpp"

#include <boost/algorithm/string/predicate.hpp>

namespace Installer {

namespace {

constexpr const char* AdobeFolderPrefix = "Adobe Dreamweaver ";

} // namespace

std::string AdobeVersionOfFolder(const std::string& installationFolderName)
{
    const std::string prefix = AdobeFolderPrefix;
    return boost::algorithm::istarts_with(installationFolderName, prefix) ? installationFolderName.substr(prefix.size()) : "";
}

std::string AdobeVersionOfNumber(unsigned major, unsigned minor)
{
    switch (major) {
    case 9: return "CS3";
    case 10: return "CS4";
    case 11: return minor < 5 ? "CS5" : "CS5.5";
    case 12: return "CS6";
    case 13: return "CC";
    case 14: return minor == 0 ? "CC 2014" : "";
    default: return "";
    }
}

AdobeUserFolder AdobeUserFolderOf(const std::string& version)
{
    // CS3 took its program version for the folder's name, and had one language.
    return boost::algorithm::iequals(version, "CS3") ? AdobeUserFolder{"Adobe/Dreamweaver 9", false} : AdobeUserFolder{"Adobe/Dreamweaver " + version, true};
}

} // namespace Installer
