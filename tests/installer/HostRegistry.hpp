#pragma once
// The registry entries through which the installer finds Dreamweaver, set
// for one test and restored afterwards.
#include "ScopedRegistry.hpp"

#include <windows.h>

struct HostRegistry {
    TestSupport::ScopedRegistryValue installation{
        HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Dreamweaver.exe", "Path"};
    TestSupport::ScopedRegistryValue appData{
        HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData"};
    TestSupport::ScopedRegistryValue extensionManager{
        HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Extension Manager.exe", ""};
};
