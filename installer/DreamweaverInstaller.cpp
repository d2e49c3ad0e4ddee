#include "DreamweaverInstaller.hpp"

namespace Installer {

DreamweaverInstaller::DreamweaverInstaller(const std::string& commandLine, Log& log) : Application(commandLine, log) {}

std::string DreamweaverInstaller::GetHostName() { return "Dreamweaver"; }

std::string DreamweaverInstaller::GetRequiredHostName() { return "Dreamweaver MX 2004"; }

void DreamweaverInstaller::GetWindowTitleKeywords(std::vector<std::string>& keywords)
{
    keywords.assign({"macromedia dreamweaver"});
}

} // namespace Installer
