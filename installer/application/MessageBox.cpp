#include "MessageBox.hpp"

#include "Text.hpp"

#include <windows.h>

namespace Installer {

namespace {

// The texts are UTF-8, so that a path with characters that the ANSI code
// page lacks is shown as it is.
int Show(const std::string& text, const char* caption, UINT style)
{
    return MessageBoxW(nullptr, Utilities::WideFromUtf8(text).c_str(), Utilities::WideFromUtf8(caption).c_str(), style);
}

} // namespace

void ShowMessage(const std::string& text, const char* caption, MessageKind kind)
{
    Show(text, caption, kind == MessageKind::Error ? MB_ICONERROR : MB_ICONINFORMATION);
}

Answer AskAbortRetryIgnore(const std::string& text, const char* caption)
{
    switch (Show(text, caption, MB_ICONWARNING | MB_ABORTRETRYIGNORE)) {
    case IDABORT: return Answer::Abort;
    case IDRETRY: return Answer::Retry;
    default: return Answer::Ignore;
    }
}

} // namespace Installer
