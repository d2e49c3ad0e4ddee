#include "EntryPoint.hpp"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    return Installer::RunInstaller(commandLine != nullptr ? commandLine : "");
}
