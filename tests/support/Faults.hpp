#pragma once
// Fault injection over the real code. A statically linked program reaches
// every system DLL through its own import table, and so does a library it
// loads through its own: their entries for the system's file, folder,
// registry, profile and process functions are swapped for wrappers that
// count the calls of one thread and make a chosen one fail the way Windows
// fails it (its documented failure result and a real error code). Functions
// looked up at run time are wrapped too; the test program's own table is
// swapped before any other static initialiser runs.
#include <windows.h>

#include <string>
#include <vector>

namespace TestSupport::Faults {

// Swaps the wrappers into a module's import table (once per module).
void Reroute(HMODULE module);

// Which calls fail: counting from 1 the calls of every wrapped function by
// the thread that arms it, or of the one function named, call number `call`
// and the `calls` - 1 after it fail with the error code. Call 0 fails none.
struct Fault {
    unsigned call = 0;
    DWORD code = 0;
    unsigned calls = 1;
    std::string function = "";
};

void Arm(const Fault& fault);
// Stops counting; the names of the calls counted, in order.
std::vector<std::string> Disarm();
// The function whose call was made to fail last, "" when none was.
std::string Failed();

} // namespace TestSupport::Faults
