#pragma once
#include <string>
#include <vector>

namespace Installer {

// Whether a window title names a running host: it contains one of the
// keywords (ASCII letters in any case) and none of the marks of an
// installer's or a folder window ("setup", "uninstall", a backslash).
bool IsHostWindowTitle(const std::string& title, const std::vector<std::string>& keywords);

} // namespace Installer
