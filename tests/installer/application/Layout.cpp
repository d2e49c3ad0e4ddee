#include "Layout.hpp"

#include "Paths.hpp"

#include <boost/filesystem/operations.hpp>

namespace TestSupport {

DreamweaverLayout::DreamweaverLayout() { Arrange(); }

void DreamweaverLayout::Arrange()
{
    // The first folder, by its own name; Windows accepts App Paths values in quotes.
    path.SetString("\"" + Utilities::NativeText(installation) + "\\\";C:\\Elsewhere");
    appData.SetString(Utilities::NativeText(applicationData));
    manager.SetString("\"" + Utilities::NativeText(root / "EM/Extension Manager.exe") + "\"");
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
