#pragma once
// The installer application: command line, option table, and the decision
// which host operation to run. What differs by host is a virtual operation.
#include "Log.hpp"

#include <boost/program_options/options_description.hpp>
#include <boost/program_options/variables_map.hpp>

#include <string>
#include <vector>

namespace Installer {

// What a run does; a reinstall uninstalls, then installs.
enum class Operation { Install, Uninstall, Reinstall };

class Application {
public:
    // Parses the command line; throws what the option parser throws, and its
    // missing value's error for a log named after an option. The run reports
    // to the log, which the entry point made quiet and opened as the words
    // of the command line ask.
    Application(const std::string& commandLine, Log& log);

    // Runs the operation the command line asks for; returns the exit code.
    int Run();
    // What shows a running host, for the log: a top-level window whose
    // title looks like a running host's main window, or what FindHostInUse
    // finds. Empty when nothing does.
    std::string FindRunningHost();

    virtual std::string GetHostName() = 0;
    virtual std::string GetRequiredHostName() = 0;
    virtual void GetWindowTitleKeywords(std::vector<std::string>& keywords) = 0;
    // A running process of the host's program, or a file that the operations
    // remove or replace and that the host holds, whatever its windows'
    // titles say; empty when there is none.
    virtual std::string FindHostInUse() = 0;
    // Before anything changes: reports where the operation works and throws
    // the failure that would stop it half-way, from what it has to hand.
    virtual void Prepare(Operation operation) = 0;
    virtual void Install() = 0;
    virtual void Uninstall() = 0;

protected:
    // Always destroyed as its concrete type, never through this base.
    ~Application() = default;

    Log& log;

private:
    bool IsGiven(const char* option) const;
    void ShowUsage();
    // Asks the user to close running hosts; false when the user gives up.
    bool CloseRunningHosts();

    std::string commandLine;
    boost::program_options::options_description options;
    boost::program_options::variables_map variables;
};

} // namespace Installer
