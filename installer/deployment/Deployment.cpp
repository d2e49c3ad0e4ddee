#include "Deployment.hpp"

#include "DeployedFiles.hpp"
#include "Paths.hpp"

#include <windows.h>

namespace fs = boost::filesystem;

namespace Installer {

FileCopies Deployment::AllCopies() const
{
    FileCopies all;
    for (const Configuration& configuration : configurations) {
        all.insert(all.end(), configuration.copies.begin(), configuration.copies.end());
    }
    all.insert(all.end(), packages.begin(), packages.end());
    return all;
}

fs::path FindSourceFolder()
{
    const fs::path here(Deployed::SourceFolder);
    if (Utilities::Exists(here)) {
        return here;
    }
    // Long enough for any path that Windows allows.
    std::wstring program(32768, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    const fs::path beside = fs::path(program).parent_path() / Deployed::SourceFolder;
    return !program.empty() && Utilities::Exists(beside) ? beside : here;
}

Deployment PlanDeployment(const fs::path& source, const std::vector<fs::path>& configurationFolders, const fs::path& packageFolder)
{
    Deployment deployment;
    for (const fs::path& folder : configurationFolders) {
        FileCopies copies;
        for (const fs::path& file : DeployedFiles(folder)) {
            copies.push_back({source / file.filename(), file});
        }
        if (deployment.configurations.empty()) {
            copies.push_back({source / Deployed::SharedScript.name, SharedScript(folder)});
        }
        deployment.configurations.push_back({folder, copies});
    }
    for (const fs::path& package : PackageFiles(packageFolder)) {
        deployment.packages.push_back({source / package.filename(), package});
    }
    return deployment;
}

std::vector<fs::path> DeployedFiles(const fs::path& configurationFolder)
{
    std::vector<fs::path> files;
    for (const auto& file : Deployed::ConfigurationFiles) {
        files.push_back(configurationFolder / file.folder / file.name);
    }
    return files;
}

fs::path ObsoleteLibrary(const fs::path& configurationFolder)
{
    return configurationFolder / Deployed::ObsoleteLibrary.folder / Deployed::ObsoleteLibrary.name;
}

fs::path SharedFolder(const fs::path& installationConfiguration) { return installationConfiguration / "Shared"; }

fs::path SharedScript(const fs::path& installationConfiguration)
{
    return SharedFolder(installationConfiguration) / Deployed::SharedScript.folder / Deployed::SharedScript.name;
}

std::vector<fs::path> PackageFiles(const fs::path& packageFolder)
{
    std::vector<fs::path> files;
    if (!packageFolder.empty()) {
        for (const char* file : Deployed::PackageFiles) {
            files.push_back(packageFolder / file);
        }
    }
    return files;
}

} // namespace Installer
