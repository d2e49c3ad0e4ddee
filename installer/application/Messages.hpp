#pragma once
// The installer application's user-visible texts, in one place; those of its
// parts are with them. Formats take boost::format placeholders %1%, %2%, ...
// filled in order.

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

// The log's own lines.
inline constexpr const char* BoxShown = "Box \"%1%\" shown: %2%";
inline constexpr const char* BoxNotShown = "Box \"%1%\" not shown: %2%";
inline constexpr const char* ExitCode = "Exit code %1%";
inline constexpr const char* NoHostRunning = "No running %1% found";
inline constexpr const char* HostRunning = "Running %1% found: %2%";
inline constexpr const char* HostWindow = "window \"%1%\"";
inline constexpr const char* HostProcess = "process \"%1%\"";
inline constexpr const char* HostFileInUse = "\"%1%\" in use";
inline constexpr const char* Folder = "%1%: \"%2%\"";
inline constexpr const char* FolderSkipped = "%1%: none at \"%2%\", skipped";
inline constexpr const char* ManagerSkipped = "Extension Manager: not registered, skipped";

} // namespace Installer::Messages
