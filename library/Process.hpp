#pragma once
// Starting programs and following them by process id.
#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>

// A failure to start a program, with the system's error code taken at the
// failing call: unwinding may reset the thread's last error before a
// handler can read it.
class StartProcessError : public std::runtime_error {
public:
    StartProcessError(const std::string& message, DWORD code) : std::runtime_error(message), code(code) {}
    DWORD Code() const { return code; }

private:
    DWORD code;
};

// The new process's id; throws StartProcessError. The process's handles stay
// open until the host ends, so its id and exit code stay queryable.
DWORD StartProcess(const std::string& commandLine);
bool ProcessIsRunning(DWORD id);
// STILL_ACTIVE (259) while running; -1 when the process cannot be queried.
std::int32_t ProcessExitCode(DWORD id);
// Handles exactly one waiting message of this thread, or sleeps 5 ms. A quit
// message is posted again, with its exit code, and the call sleeps.
void PumpOneMessage();

// "(code) text" for the thread's last error; empty when the system has no text.
std::string GetSystemErrorText();
std::string GetSystemErrorText(DWORD code);
