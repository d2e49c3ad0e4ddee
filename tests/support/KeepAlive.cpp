// Idles beside a test run so that Wine keeps its desktop process between
// test programs; ends by itself after an hour at the latest.
#include <windows.h>

int main()
{
    Sleep(60 * 60 * 1000);
    return 0;
}
