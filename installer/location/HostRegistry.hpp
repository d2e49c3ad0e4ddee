#pragma once
// Where Windows and Dreamweaver record the folders the installer needs, in
// one place for the code and its tests.

namespace Installer::HostRegistry {

// The first folder of the "Path" list is the installation folder; the
// default value holds the program's full path. App Paths values may stand
// in double quotes.
inline constexpr const char* DreamweaverKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Dreamweaver.exe";
inline constexpr const char* DreamweaverFolders = "Path";
inline constexpr const char* DreamweaverProgram = "";

inline constexpr const char* ShellFoldersKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* ApplicationData = "AppData";

// The default value holds the Extension Manager program's full path.
inline constexpr const char* ExtensionManagerKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Extension Manager.exe";
inline constexpr const char* ExtensionManagerProgram = "";

} // namespace Installer::HostRegistry
