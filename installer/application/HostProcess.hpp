#pragma once
#include <string>

namespace Installer {

// The full path of a running process of a program with this file name (any
// letter case), in any session; its file name alone where the system does
// not tell the path; empty when none runs. When the system cannot list the
// processes, none is found: the deployed files' own check still guards them.
std::wstring FindProgramProcess(const std::wstring& fileName);

} // namespace Installer
