#pragma once
// Fault injection over the real code. A statically linked program reaches
// every system DLL through its own import table, and so does a library it
// loads through its own: their entries for the system's file, folder,
// registry, profile and process functions are swapped for wrappers that
// count the calls of one thread and make a chosen one fail the way Windows
// fails it (its documented failure result and a real error code), or end
// the process there. Every other call passes through. Functions that a
// library looks up at run time (GetProcAddress) are wrapped too; the test
// program's own table is swapped before any other static initialiser runs.
#include <windows.h>

#include <string>

namespace TestSupport::Faults {

// Swaps the wrappers into a module's import table (once per module).
void Reroute(HMODULE module);

// From now on counts this thread's calls of the wrapped functions, or of the
// one function named. The call numbered failing (from 1; 0 for none) fails
// with the error code, or, with endProcess, ends the process with the code
// as its exit code.
void Arm(unsigned failing, DWORD code, const std::string& function = "", bool endProcess = false);
// Stops counting; the number of calls counted.
unsigned Disarm();
// The function whose call was made to fail, "" when none was.
std::string Failed();

} // namespace TestSupport::Faults
