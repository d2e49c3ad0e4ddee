#pragma once
// The texts of the configuration files' editing, in one place. Formats take
// boost::format placeholders %1%, %2%, ... filled in order.

namespace Installer::Messages {

inline constexpr const char* CannotEdit = "Cannot edit \"%1%\" (%2%)";
inline constexpr const char* MissingAnchor =
    "Cannot add the Vantrelle entries to \"%1%\": the item \"%2%\" they follow is missing";

// The log's lines.
inline constexpr const char* Edited = "Edited \"%1%\":%2%";
inline constexpr const char* Unchanged = "Left \"%1%\" as it was:%2%";

} // namespace Installer::Messages
