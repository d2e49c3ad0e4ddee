#include "DreamweaverInstaller.hpp"

namespace Installer {

DreamweaverInstaller::DreamweaverInstaller(const std::string& commandLine) : Application(commandLine) {}

std::string DreamweaverInstaller::GetHostName() { return "Dreamweaver"; }

std::string DreamweaverInstaller::GetRequiredHostName() { return "Dreamweaver MX 2004"; }

void DreamweaverInstaller::GetWindowTitleKeywords(std::vector<std::string>& keywords)
{
    keywords.assign({"macromedia dreamweaver"});
}

} // namespace Installer
