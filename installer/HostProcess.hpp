#pragma once
#include <string>

namespace Installer {

// Whether a process of a program with this file name (any letter case) runs
// in any session. When the system cannot list the processes, the answer is
// no: the deployed files' own check still guards them.
bool IsProgramRunning(const std::wstring& fileName);

} // namespace Installer
