#pragma once
// The installer's user-visible texts, in one place. Formats take boost::format
// placeholders %1%, %2%, ... filled in order.

namespace Installer::Messages {

inline constexpr const char* ErrorCaption = "Error";
inline constexpr const char* UsageCaption = "Usage";
inline constexpr const char* PromptCaption = "Installer";

inline constexpr const char* Contradiction = "Cannot perform specified operation \"%1%\"";
inline constexpr const char* CloseHost =
    "Please close all running instances of %1% and press Retry in order to proceed.";
inline constexpr const char* AlreadyRunning =
    "Another installer is running. Wait until it has finished, then try again.";
inline constexpr const char* NoRunCheck = "Cannot tell whether another installer is running";
inline constexpr const char* CannotOpenLog = "Cannot open the log \"%1%\" (%2%)";
inline constexpr const char* UnexpectedFailure = "Installer: An unexpected internal error occurred.";

inline constexpr const char* HostNotFound = "%1% has not been found on this machine. Try to reinstall %2% or newer.";
inline constexpr const char* HostOfOtherBits =
    "%1% has been found in \"%2%\", but it is a %3%-bit program, which cannot load the extension's %4%-bit library. "
    "The extension works with the 32-bit %1%: %5% to CC 2014 on any Windows, and the later versions on 32-bit Windows.";
inline constexpr const char* HostFolderMissing =
    "%1% information has been found, but the directory where it should reside does not exist under "
    "\"%2%\". Your installation might be broken. Try to reinstall %3% or newer.";

inline constexpr const char* CannotCopy = "Cannot copy source file \"%1%\" to target location \"%2%\" (%3%)";
inline constexpr const char* CannotRemove = "Cannot remove \"%1%\" (%2%)";
inline constexpr const char* UnknownError = "unknown error";
inline constexpr const char* PathStillExists = "path still exists";
inline constexpr const char* CannotEdit = "Cannot edit \"%1%\" (%2%)";
inline constexpr const char* MissingAnchor =
    "Cannot add the Vantrelle entries to \"%1%\": the item \"%2%\" they follow is missing";

// The log's own lines.
inline constexpr const char* BoxShown = "Box \"%1%\" shown: %2%";
inline constexpr const char* BoxNotShown = "Box \"%1%\" not shown: %2%";
inline constexpr const char* ExitCode = "Exit code %1%";
inline constexpr const char* NoHostRunning = "No running %1% found";
inline constexpr const char* HostRunning = "Running %1% found: %2%";
inline constexpr const char* HostWindow = "window \"%1%\"";
inline constexpr const char* HostProcess = "process \"%1%\"";
inline constexpr const char* HostFileInUse = "\"%1%\" in use";
inline constexpr const char* Copied = "Copied \"%1%\" to \"%2%\"";
inline constexpr const char* Removed = "Removed \"%1%\"";
inline constexpr const char* Edited = "Edited \"%1%\":%2%";
inline constexpr const char* Unchanged = "Left \"%1%\" as it was:%2%";
inline constexpr const char* Folder = "%1%: \"%2%\"";
inline constexpr const char* FolderSkipped = "%1%: none at \"%2%\", skipped";
inline constexpr const char* ManagerSkipped = "Extension Manager: not registered, skipped";

} // namespace Installer::Messages
