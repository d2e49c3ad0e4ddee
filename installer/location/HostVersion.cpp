#include "HostVersion.hpp"

#include <boost/algorithm/string/predicate.hpp>

#include <algorithm>
#include <regex>

namespace Installer {

namespace {

constexpr const char* AdobeFolderPrefix = "Adobe Dreamweaver ";

} // namespace

std::string AdobeVersionOfFolder(const std::string& installationFolderName)
{
    // What Adobe named its versions: CS3 to CS6 (and CS5.5), CC, CC 2014 to
    // CC 2019 (and CC 2014.1), then the year alone.
    static const std::regex version(R"(CS\d(\.\d)?|CC( \d{4}(\.\d)?)?|\d{4})", std::regex::icase);
    const std::string prefix = AdobeFolderPrefix;
    const std::string rest = installationFolderName.substr(std::min(prefix.size(), installationFolderName.size()));
    return boost::algorithm::istarts_with(installationFolderName, prefix) && std::regex_match(rest, version) ? rest : "";
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
