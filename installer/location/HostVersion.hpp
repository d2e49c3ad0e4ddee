#pragma once
// Which Dreamweaver an installation is, as far as it matters here: where it
// keeps each user's own configuration. Plain C++, so that it also builds
// natively.
#include <string>

namespace Installer {

// The Adobe-branded version that an installation folder's name tells
// ("Adobe Dreamweaver CS4" tells "CS4", in any letter case); empty when the
// name tells none: a Macromedia installation, or a folder the user renamed,
// also to "Adobe Dreamweaver CS4 old".
std::string AdobeVersionOfFolder(const std::string& installationFolderName);

// The Adobe-branded version of a program version number: 9 is CS3, 10 CS4,
// 11 CS5, 11.5 CS5.5, 12 CS6, 13 CC and 14.0 CC 2014. Empty for Macromedia's
// versions (MX 2004 is 7, 8 is 8) and for any number it does not know.
std::string AdobeVersionOfNumber(unsigned major, unsigned minor);

// Where an Adobe-branded version keeps the user's configuration, below the
// user's Application Data folder: CS3 in "Adobe/Dreamweaver 9/Configuration",
// the later ones in "Adobe/Dreamweaver <version>/<language>/Configuration",
// one for each installed language ("en_US", "de_DE", ...).
struct AdobeUserFolder {
    std::string folder; // "Adobe/Dreamweaver 9", "Adobe/Dreamweaver CS4"
    bool perLanguage;   // whether each language's folder in it holds one
};
AdobeUserFolder AdobeUserFolderOf(const std::string& version);

} // namespace Installer
