#include "LibraryFixture.hpp"

#include <windows.h>

#include <algorithm>

namespace LibraryTest {

std::string TestFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path);
    return program.substr(0, program.find_last_of('\\') + 1);
}

std::string LibraryFolder()
{
    std::string folder = TestFolder() + LIBRARY_FOLDER + "\\";
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

} // namespace LibraryTest
