#pragma once
// A Dreamweaver installation as the installer meets it, laid out in a
// temporary folder and the test prefix's registry, and the facts about it
// that users, Dreamweaver and the registry see, written out once for the
// installer's tests.
#include "TestSupport.hpp"

#include <utility>

namespace TestSupport {

inline constexpr const char* DreamweaverKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Dreamweaver.exe";
inline constexpr const char* ShellFoldersKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* ExtensionManagerKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Extension Manager.exe";

// Each file that goes into a configuration folder: (folder, name), in order.
inline constexpr std::pair<const char*, const char*> ConfigurationFiles[] = {
    {"JSExtensions", "Loomlet.dll"},   {"Floaters", "VNLFloater.html"},    {"Floaters", "VNLFloater.js"},
    {"Objects/Common", "VNLObject.html"}, {"Objects/Common", "VNLObject.js"}, {"Objects/Common", "VNLObject.png"},
    {"Strings", "VNLStringsEN.xml"},   {"Help", "VNLHelpEN.html"},        {"Extensions", "VNLExtensionEN.mxi"},
};

// Dreamweaver with both configuration folders holding the sample menus and
// insert bar, the Extension Manager, and a distribution whose files differ
// in size and content. The folders have names with characters that the ANSI
// code page lacks, which only the registry's wide texts carry.
class DreamweaverLayout {
public:
    DreamweaverLayout();
    // The registry values and everything below the root anew.
    void Arrange();

    fs::path Source(const char* file) const { return distribution / "Files" / file; }
    fs::path Configuration() const { return installation / "Configuration"; }
    fs::path SharedScript() const { return Configuration() / "Shared/Common/Scripts/Loomlet.js"; }
    fs::path Package(const char* file) const { return root / "EM/Configuration/Extensions" / file; }
    fs::path Menus(const fs::path& configuration) const { return configuration / "Menus/menus.xml"; }
    fs::path InsertBar(const fs::path& configuration) const { return configuration / "Objects/insertbar.xml"; }

    ScopedRegistryValue path{DreamweaverKey, "Path"};
    ScopedRegistryValue appData{ShellFoldersKey, "AppData"};
    ScopedRegistryValue manager{ExtensionManagerKey, ""};
    TempFolder root;
    const fs::path installation = root / L"Program Files/Macromedia/Dreamweaver 8 \u0142";
    const fs::path applicationData = root / L"Dane \u0142";
    const fs::path user = applicationData / L"Macromedia/Dreamweaver 8 \u0142/Configuration";
    const fs::path distribution = root / "Vantrelle";
    const fs::path obsolete = Configuration() / "JSExtensions/VNL.dll";
};

} // namespace TestSupport
