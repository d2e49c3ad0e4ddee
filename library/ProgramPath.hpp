#pragma once
// Where the Vantrelle program is registered for a host product.
#include <boost/filesystem/path.hpp>

#include <string>

enum PluginHost { Dreamweaver = 0, FrontPage = 1, GoLive = 2 };

extern const char* const PluginBaseKey;
extern const char* const ProgramPathValue;

// The registration key of the host under the current user.
std::string PluginKeyPath(PluginHost host);
// The user's entry, else the machine's; the empty path when neither exists.
// Throws the registry's errors, and std::invalid_argument for a registered
// text that is not a valid Windows path.
boost::filesystem::path ReadProgramPath(PluginHost host);
bool ProgramPathExists(PluginHost host);
