#pragma once
#include "Log.hpp"

#include <functional>
#include <string>

namespace Installer {

// Runs the program's work and turns every failure into an "Error" box (or,
// in a quiet run, a line of the log) and exit code 1: the one place where
// failures are reported.
int RunReportingFailures(Log& log, const std::function<int()>& work);

// The whole program for one command line (UTF-8).
int RunInstaller(const std::string& commandLine);

} // namespace Installer
