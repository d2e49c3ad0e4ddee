#include "Log.hpp"

#include "BriefHold.hpp"
#include "Exception.hpp"
#include "Messages.hpp"
#include "Paths.hpp"
#include "Text.hpp"
#include "Version.h"

#include <boost/algorithm/string/replace.hpp>
#include <boost/format.hpp>

namespace Installer {

void Log::Open(const std::string& name, const std::string& commandLine)
{
    // Shared for writing, so that a second run can log why it stops; every
    // line is appended whole by one write, so lines of two runs never mix.
    const DWORD error = Utilities::WhileBrieflyHeld([&] {
        file = Utilities::ScopedHandle(CreateFileW(Utilities::WideFromUtf8(name).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return Utilities::ErrorUnless(file.IsValid());
    });
    if (error != ERROR_SUCCESS) {
        throw Exception((boost::format(Messages::CannotOpenLog) % name % Utilities::SystemErrorText(error)).str());
    }
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    Write((boost::format("%04d-%02d-%02d %02d:%02d:%02d Fitwright " PRODUCT_VERSION_TEXT " %s") % now.wYear % now.wMonth % now.wDay %
           now.wHour % now.wMinute % now.wSecond % commandLine)
              .str());
}

// A log that cannot be written any more loses its lines; the operation
// itself goes on, since stopping it half-way would be worse.
void Log::Write(const std::string& line)
{
    if (!file) {
        return;
    }
    const std::string bytes = boost::algorithm::replace_all_copy(line, "\n", "\r\n") + "\r\n";
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Log::WriteBox(const std::string& text, const char* caption, bool shown)
{
    Write((boost::format(shown ? Messages::BoxShown : Messages::BoxNotShown) % caption % text).str());
}

void Log::Show(const std::string& text, const char* caption, MessageKind kind, bool evenWhenQuiet)
{
    const bool shown = !quiet || evenWhenQuiet;
    WriteBox(text, caption, shown);
    if (shown) {
        ShowMessage(text, caption, kind);
    }
}

Answer Log::Ask(const std::string& text, const char* caption)
{
    WriteBox(text, caption, !quiet);
    const Answer answer = quiet ? Answer::Abort : AskAbortRetryIgnore(text, caption);
    Write(std::string("Answer: ") + (answer == Answer::Abort ? "Abort" : answer == Answer::Retry ? "Retry" : "Ignore"));
    return answer;
}

void Log::Finish(int exitCode) { Write((boost::format(Messages::ExitCode) % exitCode).str()); }

} // namespace Installer
