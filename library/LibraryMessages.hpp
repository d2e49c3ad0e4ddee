#pragma once
// The texts the library shows, and their formatting; no Win32 here.
#include <cstdint>
#include <string>

namespace Messages {

extern const char* const ArgumentCount;
extern const char* const ExecuteFailed;
extern const char* const CannotExecute;
extern const char* const FunctionFailed;
extern const char* const UnknownFailure;
extern const char* const SystemError;

// "has" for one given argument or none, "have" for more.
std::string ArgumentCountText(std::uint32_t demanded, std::uint32_t given);
std::string ExecuteFailedText(const std::string& systemError, const std::string& commandLine,
                              const std::string& exception);
std::string FunctionFailedText(const std::string& function, const std::string& exception);
std::string SystemErrorText(std::uint32_t code, const std::string& systemText);

} // namespace Messages
