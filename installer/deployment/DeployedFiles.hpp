#pragma once
// What the installer deploys and where, in one place for the code and its tests.

namespace Installer::Deployed {

// The distribution's folder of files.
inline constexpr const char* SourceFolder = "Files";

struct File {
    const char* name;   // in the source folder
    const char* folder; // where it goes
};

// Into each configuration folder, in this order.
inline constexpr File ConfigurationFiles[] = {
    {"Loomlet.dll", "JSExtensions"},
    {"VNLFloater.html", "Floaters"},
    {"VNLFloater.js", "Floaters"},
    {"VNLObject.html", "Objects/Common"},
    {"VNLObject.js", "Objects/Common"},
    {"VNLObject.png", "Objects/Common"},
    {"VNLStringsEN.xml", "Strings"},
    {"VNLHelpEN.html", "Help"},
    {"VNLExtensionEN.mxi", "Extensions"},
};

// Into the installation's Configuration/Shared folder only.
inline constexpr File SharedScript = {"Loomlet.js", "Common/Scripts"};

// The library of an older release, removed from each configuration folder.
inline constexpr File ObsoleteLibrary = {"VNL.dll", "JSExtensions"};

// Into the Extension Manager's package folder, in this order.
inline constexpr const char* PackageFiles[] = {"VNLExtensionEN.mxi", "VNLExtensionEN.mxp"};

} // namespace Installer::Deployed
