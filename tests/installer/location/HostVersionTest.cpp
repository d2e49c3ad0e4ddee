#include "HostVersion.hpp"

#include <gtest/gtest.h>

// The Adobe-branded versions are told by the installation folder's name or
// the program's version number, and keep the user's configuration below
// Adobe; Macromedia's versions and unknown numbers tell none.
TEST(HostVersion, AdobeBrandedVersionsAreToldByTheFolderOrTheProgramAndKeepTheUsersConfigurationBelowAdobe)
{
    const std::pair<const char*, const char*> folders[] = {
        {"Adobe Dreamweaver CS3", "CS3"}, {"adobe dreamweaver cs4", "cs4"}, {"Adobe Dreamweaver CS5.5", "CS5.5"},
        {"Adobe Dreamweaver CC", "CC"}, {"Adobe Dreamweaver CC 2014", "CC 2014"}, {"Adobe Dreamweaver CC 2014.1", "CC 2014.1"},
        {"Adobe Dreamweaver 2020", "2020"}, {"Dreamweaver 8", ""}, {"Dreamweaver MX 2004", ""}, {"Adobe Dreamweaver", ""},
        {"My Adobe Dreamweaver CS4", ""}, {"Adobe Dreamweaver CS4 old", ""}, {"Adobe Dreamweaver CC 20145", ""},
    };
    for (const auto& [name, version] : folders) {
        EXPECT_EQ(version, Installer::AdobeVersionOfFolder(name)) << name;
    }
    const std::tuple<unsigned, unsigned, const char*> numbers[] = {
        {0, 0, ""},   {7, 0, ""},   {8, 0, ""},      {9, 0, "CS3"},  {10, 0, "CS4"},      {11, 0, "CS5"},
        {11, 5, "CS5.5"}, {12, 0, "CS6"}, {13, 0, "CC"}, {14, 0, "CC 2014"}, {14, 1, ""}, {16, 0, ""},
    };
    for (const auto& [major, minor, version] : numbers) {
        EXPECT_EQ(version, Installer::AdobeVersionOfNumber(major, minor)) << major << "." << minor;
    }
    const std::tuple<const char*, const char*, bool> places[] = {
        {"CS3", "Adobe/Dreamweaver 9", false}, {"cs3", "Adobe/Dreamweaver 9", false},
        {"CS4", "Adobe/Dreamweaver CS4", true}, {"CC 2014", "Adobe/Dreamweaver CC 2014", true},
    };
    for (const auto& [version, folder, perLanguage] : places) {
        const Installer::AdobeUserFolder place = Installer::AdobeUserFolderOf(version);
        EXPECT_EQ(std::make_pair(std::string(folder), perLanguage), std::make_pair(place.folder, place.perLanguage)) << version;
    }
}
