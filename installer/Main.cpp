#include "EntryPoint.hpp"

#include "Text.hpp"

#include <boost/filesystem/detail/utf8_codecvt_facet.hpp>
#include <boost/filesystem/path.hpp>

#include <windows.h>

#include <locale>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    // Every text of the installer is UTF-8, the file system's own messages
    // about paths included.
    boost::filesystem::path::imbue(std::locale(std::locale(), new boost::filesystem::detail::utf8_codecvt_facet));
    return Installer::RunInstaller(Utilities::Utf8FromAnsi(commandLine != nullptr ? commandLine : ""));
}
