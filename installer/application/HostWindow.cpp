#include "HostWindow.hpp"

#include "Application.hpp"
#include "HostWindowTitle.hpp"
#include "Messages.hpp"
#include "Text.hpp"

#include <boost/format.hpp>

namespace Installer {

BOOL CALLBACK MatchHostWindow(HWND window, LPARAM search)
{
    auto& record = *reinterpret_cast<WindowSearch*>(search);
    record.found = false;
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return TRUE;
    }
    std::string title(static_cast<size_t>(length) + 1, '\0');
    title.resize(static_cast<size_t>(GetWindowTextA(window, title.data(), length + 1)));
    if (!IsHostWindowTitle(title, record.keywords)) {
        return TRUE;
    }
    record.found = true;
    record.title = Utilities::Utf8FromAnsi(title);
    return FALSE;
}

std::string Application::FindRunningHost()
{
    WindowSearch search{{}, false, {}};
    GetWindowTitleKeywords(search.keywords);
    EnumWindows(MatchHostWindow, reinterpret_cast<LPARAM>(&search));
    return search.found ? (boost::format(Messages::HostWindow) % search.title).str() : FindHostInUse();
}

} // namespace Installer
