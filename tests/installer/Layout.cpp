#include "Layout.hpp"

#include "Paths.hpp"

#include <boost/filesystem/operations.hpp>

namespace TestSupport {

DreamweaverLayout::DreamweaverLayout() { Arrange(); }

void DreamweaverLayout::Arrange()
{
    path.SetString(Utilities::NativeText(installation) + "\\;C:\\Elsewhere"); // the first folder, by its own name
    appData.SetString(Utilities::NativeText(root / L"Donn\u00E9es"));
    manager.SetString(Utilities::NativeText(root / "EM/Extension Manager.exe"));
    fs::remove_all(root.path);
    fs::create_directories(root.path);
    const fs::path samples = HostFile(TEST_DATA_DIR "/Configuration");
    for (const fs::path& configuration : {Configuration(), user}) {
        WriteFile(Menus(configuration), ReadFile(samples / "Menus/menus.xml"));
        WriteFile(InsertBar(configuration), ReadFile(samples / "Objects/insertbar.xml"));
    }
    for (const char* file : {"Loomlet.js", "VNLExtensionEN.mxp"}) {
        WriteFile(Source(file), file);
    }
    for (const auto& [folder, file] : ConfigurationFiles) {
        WriteFile(Source(file), std::string(100, file[3]) + file);
    }
}

} // namespace TestSupport
