#pragma once
#include <functional>
#include <string>

namespace Installer {

// Runs the program's work and turns every failure into an "Error" box and
// exit code 1: the one place where failures are reported.
int RunReportingFailures(const std::function<int()>& work);

// The whole program for one command line.
int RunInstaller(const std::string& commandLine);

} // namespace Installer
