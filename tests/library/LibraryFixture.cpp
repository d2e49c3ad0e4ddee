#include "LibraryFixture.hpp"

#include <windows.h>

namespace LibraryTest {

std::string TestFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

namespace {

// The build's library folder, given relative to the test program's folder.
std::string LibraryFolder()
{
    std::string folder = TestFolder() + LIBRARY_FOLDER;
    for (char& c : folder) {
        c = c == '/' ? '\\' : c;
    }
    return folder + "\\";
}

} // namespace

std::string LibraryPath() { return LibraryFolder() + "Loomlet.dll"; }

std::string HostProgramPath() { return LibraryFolder() + "LoomletHost.exe"; }

} // namespace LibraryTest
