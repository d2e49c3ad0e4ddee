#include "LibraryMessages.hpp"

#include <boost/format.hpp>

namespace Messages {

const char* const ArgumentCount = "Function expects %1% arguments, but %2% %3% been provided.";
const char* const ExecuteFailed =
    "Execute ()\r\n\r\nDescription: Couldn't execute specified command line.\r\n\r\n"
    "GetLastError: %1%\r\nCommandLine: %2%\r\nException: %3%\r\n";
const char* const CannotExecute = "Execute (): Cannot execute '%1%'";
const char* const FunctionFailed = "%1% ()\r\n\r\nException: %2%\r\n";
const char* const UnknownFailure = "unknown failure";
const char* const SystemError = "(%1%) %2%";

std::string ArgumentCountText(std::uint32_t demanded, std::uint32_t given)
{
    return (boost::format(ArgumentCount) % demanded % given % (given > 1 ? "have" : "has")).str();
}

std::string ExecuteFailedText(const std::string& systemError, const std::string& commandLine,
                              const std::string& exception)
{
    return (boost::format(ExecuteFailed) % systemError % commandLine % exception).str();
}

std::string FunctionFailedText(const std::string& function, const std::string& exception)
{
    return (boost::format(FunctionFailed) % function % exception).str();
}

std::string SystemErrorText(std::uint32_t code, const std::string& systemText)
{
    return (boost::format(SystemError) % code % systemText).str();
}

} // namespace Messages
