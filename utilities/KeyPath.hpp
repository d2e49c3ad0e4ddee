#pragma once
// Registry key paths as one string, root name first
// ("HKEY_LOCAL_MACHINE\SOFTWARE\..."). Plain C++: no Win32 here.
#include <string>
#include <vector>

namespace Utilities::Registry {

// The predefined root keys a path may start with.
enum class Root { None, ClassesRoot, CurrentConfig, CurrentUser, DynData, LocalMachine, Users };

// Splits at backslashes; doubled, leading and trailing backslashes give no
// empty components. Component 0 is the root name as written.
std::vector<std::string> SplitKeyPath(const std::string& path);

// Components [first, last) joined with single backslashes. A last of 0 or
// less counts from the end (0 means up to the end).
std::string JoinKeyPath(const std::vector<std::string>& components, int first, int last);

// The root a name stands for, in any letter case; only the full names count.
Root FindRoot(const std::string& rootName);

} // namespace Utilities::Registry
