#pragma once
// The installer for Dreamweaver: its names and windows, and its operations,
// made of the host location's folders, the deployment's copies and removals
// and the XML editing's menu and insert-bar entries.
#include "Application.hpp"
#include "Deployment.hpp"
#include "HostFolders.hpp"

#include <boost/filesystem/path.hpp>

#include <optional>
#include <string>
#include <vector>

namespace Installer {

class DreamweaverInstaller : public Application {
public:
    DreamweaverInstaller(const std::string& commandLine, Log& log);

    std::string GetHostName() override;
    std::string GetRequiredHostName() override;
    void GetWindowTitleKeywords(std::vector<std::string>& keywords) override;
    std::string FindHostInUse() override;
    void Prepare(Operation operation) override;
    void Install() override;
    void Uninstall() override;

    void AddMenuEntries(const boost::filesystem::path& configurationFolder);
    void RemoveMenuEntries(const boost::filesystem::path& configurationFolder);

private:
    // Where a run works and what it copies: found at the first need (the
    // check for a running host, or else the operation) and kept for the run.
    struct Plan {
        HostFolders folders;
        Deployment deployment; // into the installation's configuration folder and the user's that are there
    };
    const Plan& GetPlan();

    void ReportFolders(const HostFolders& folders);

    std::optional<Plan> plan;
};

} // namespace Installer
