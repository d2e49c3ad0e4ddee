#pragma once
// The installer application: command line, option table, and the decision
// which host operation to run. What differs by host is a virtual operation.
#include "Log.hpp"

#include <boost/program_options/options_description.hpp>
#include <boost/program_options/variables_map.hpp>

#include <string>
#include <vector>

namespace Installer {

class Application {
public:
    // Parses the command line; throws what the option parser throws. The
    // run reports to the log.
    Application(const std::string& commandLine, Log& log);

    // Whether the command line asks for a quiet run, also where its other
    // words stop the parsing, so that a setup's run shows no box for them.
    static bool AsksForQuiet(const std::string& commandLine);

    // Runs the operation the command line asks for; returns the exit code.
    int Run();
    // Whether a top-level window looks like a running host's main window, or
    // the host shows itself in use in another way.
    bool IsHostRunning();

    virtual std::string GetHostName() = 0;
    virtual std::string GetRequiredHostName() = 0;
    virtual void GetWindowTitleKeywords(std::vector<std::string>& keywords) = 0;
    // Whether the host's program runs or holds a file that the operations
    // remove or replace, whatever its windows' titles say.
    virtual bool IsHostInUse() = 0;
    // Before anything changes: reports where the operations work and, for an
    // install, throws when it lacks something it needs.
    virtual void Prepare(bool installing) = 0;
    virtual void Install() = 0;
    virtual void Uninstall() = 0;

protected:
    // Always destroyed as its concrete type, never through this base.
    ~Application() = default;

    Log& log;

private:
    bool IsGiven(const char* option) const;
    bool ChoosesOperation() const;
    void ShowUsage();
    // Asks the user to close running hosts; false when the user gives up.
    bool CloseRunningHosts();

    std::string commandLine;
    boost::program_options::options_description options;
    boost::program_options::variables_map variables;
};

} // namespace Installer
