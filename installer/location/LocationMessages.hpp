#pragma once
// The texts of the host location, in one place. Formats take boost::format
// placeholders %1%, %2%, ... filled in order.

namespace Installer::Messages {

inline constexpr const char* HostNotFound = "%1% has not been found on this machine. Try to reinstall %2% or newer.";
inline constexpr const char* HostFolderMissing =
    "%1% information has been found, but the directory where it should reside does not exist under "
    "\"%2%\". Your installation might be broken. Try to reinstall %3% or newer.";
inline constexpr const char* HostOfOtherBits =
    "%1% has been found in \"%2%\", but it is a %3%-bit program, which cannot load the extension's %4%-bit library. "
    "The extension works with the 32-bit %1%: %5% to CC 2014 on any Windows, and the later versions on 32-bit Windows.";

} // namespace Installer::Messages
