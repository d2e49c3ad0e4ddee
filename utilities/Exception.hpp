#pragma once
#include <stdexcept>
#include <string>

namespace Installer {

// Every failure the installer itself detects, in any of its parts; the text
// starts with "Installer: ".
class Exception : public std::logic_error {
public:
    explicit Exception(const std::string& message) : std::logic_error("Installer: " + message) {}
};

} // namespace Installer
