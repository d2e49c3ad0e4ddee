#include "Frame.hpp"

#include "ErrorDialog.hpp"
#include "LibraryMessages.hpp"

#include "Text.hpp"

#include <exception>

void ReportArgumentCount(std::uint32_t demanded, std::uint32_t given)
{
    ShowErrorDialog(Messages::ArgumentCountText(demanded, given));
}

namespace {

// Reporting can fail too (out of memory); nothing may reach the host. A
// failure's text is UTF-8; the dialog shows the ANSI code page.
void ReportFailure(const char* function, const char* text) noexcept
{
    try {
        ShowErrorDialog(Messages::FunctionFailedText(function, Utilities::AnsiFromUtf8(text)));
    } catch (...) {
    }
}

} // namespace

int RunFrame(const char* function, std::uint32_t demanded, std::uint32_t given, const std::function<int()>& work)
{
    try {
        if (given != demanded) {
            ReportArgumentCount(demanded, given);
            return 0;
        }
        return work();
    } catch (const std::exception& failure) {
        ReportFailure(function, failure.what());
    } catch (...) {
        ReportFailure(function, Messages::UnknownFailure);
    }
    return 0;
}
