#pragma once
#include "Log.hpp"

#include <functional>
#include <string>

namespace Installer {

// Runs the program's work and turns every failure into an "Error" box (or,
// in a quiet run, a line of the log) and exit code 1: the one place where
// failures are reported.
int RunReportingFailures(Log& log, const std::function<int()>& work);

// Opens the log file, when a name is given, then runs what the command line
// asks for; throws every failure.
int RunCommandLine(const std::string& commandLine, const std::string& logName, Log& log);

// The whole program for one command line (UTF-8): quiet and logged as its
// words ask, whatever else is wrong with them.
int RunInstaller(const std::string& commandLine);

} // namespace Installer
