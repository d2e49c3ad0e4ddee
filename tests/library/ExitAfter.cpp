// Test helper: exit_after MILLISECONDS CODE sleeps, then ends with the code
// (decimal or 0x hexadecimal, taken as unsigned 32 bits).
#include <windows.h>

#include <cstdlib>

int main(int count, char** arguments)
{
    if (count != 3) {
        return 255;
    }
    Sleep(static_cast<DWORD>(std::strtoul(arguments[1], nullptr, 10)));
    ExitProcess(static_cast<UINT>(std::strtoul(arguments[2], nullptr, 0)));
}
