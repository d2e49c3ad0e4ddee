#include "MessageBox.hpp"

#include <windows.h>

namespace Installer {

void ShowMessage(const std::string& text, const char* caption, MessageKind kind)
{
    const UINT style = kind == MessageKind::Error ? MB_ICONERROR : MB_ICONINFORMATION;
    MessageBoxA(nullptr, text.c_str(), caption, style);
}

Answer AskAbortRetryIgnore(const std::string& text, const char* caption)
{
    switch (MessageBoxA(nullptr, text.c_str(), caption, MB_ICONWARNING | MB_ABORTRETRYIGNORE)) {
    case IDABORT: return Answer::Abort;
    case IDRETRY: return Answer::Retry;
    default: return Answer::Ignore;
    }
}

} // namespace Installer
