#pragma once
#include <string>

namespace Installer {

// Where the installer's parts say what they did, a line at a time: the run's
// log. Texts are UTF-8.
class Report {
public:
    virtual void Write(const std::string& line) = 0;

protected:
    ~Report() = default;
};

} // namespace Installer
