// Test helper: exit_after MILLISECONDS CODE sleeps, then ends with the code
// (decimal or 0x hexadecimal, taken as unsigned 32 bits). Idling for an hour
// beside a test run, it keeps Wine's desktop alive between test programs.
#include <windows.h>

#include <cstdlib>

int main(int, char** arguments)
{
    Sleep(static_cast<DWORD>(std::strtoul(arguments[1], nullptr, 10)));
    ExitProcess(static_cast<UINT>(std::strtoul(arguments[2], nullptr, 0)));
}
