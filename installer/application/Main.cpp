#include "EntryPoint.hpp"

#include "Text.hpp"

#include <boost/filesystem/detail/utf8_codecvt_facet.hpp>
#include <boost/filesystem/path.hpp>

#include <windows.h>

#include <algorithm>
#include <locale>

namespace {

// The command line without the program's name, as WinMain gets it, but in
// the system's wide characters, so that a log file's name stays whole.
std::wstring Arguments()
{
    const std::wstring line = GetCommandLineW();
    // The name ends at the first blank outside double quotes.
    bool quoted = false;
    const auto nameEnd = std::find_if(line.begin(), line.end(), [&quoted](wchar_t c) {
        quoted = quoted != (c == L'"');
        return !quoted && (c == L' ' || c == L'\t');
    });
    return line.substr(std::min(line.find_first_not_of(L" \t", nameEnd - line.begin()), line.size()));
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Every text of the installer is UTF-8, the file system's own messages
    // about paths included.
    boost::filesystem::path::imbue(std::locale(std::locale(), new boost::filesystem::detail::utf8_codecvt_facet));
    return Installer::RunInstaller(Utilities::Utf8FromWide(Arguments()));
}
