#pragma once
// The texts of the deployment, in one place. Formats take boost::format
// placeholders %1%, %2%, ... filled in order.

namespace Installer::Messages {

inline constexpr const char* CannotCopy = "Cannot copy source file \"%1%\" to target location \"%2%\" (%3%)";
inline constexpr const char* CannotRemove = "Cannot remove \"%1%\" (%2%)";
inline constexpr const char* UnknownError = "unknown error";
inline constexpr const char* PathStillExists = "path still exists";

// The log's lines.
inline constexpr const char* Copied = "Copied \"%1%\" to \"%2%\"";
inline constexpr const char* Removed = "Removed \"%1%\"";

} // namespace Installer::Messages
