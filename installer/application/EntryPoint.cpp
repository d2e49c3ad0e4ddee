#include "EntryPoint.hpp"

#include "DreamweaverInstaller.hpp"
#include "Messages.hpp"
#include "Reporting.hpp"

#include <boost/program_options/parsers.hpp>

#include <windows.h>

#include <exception>

namespace Installer {

int RunReportingFailures(Log& log, const std::function<int()>& work)
{
    try {
        return work();
    } catch (const std::exception& failure) {
        log.Show(failure.what(), Messages::ErrorCaption, MessageKind::Error);
    } catch (...) {
        log.Show(Messages::UnexpectedFailure, Messages::ErrorCaption, MessageKind::Error);
    }
    return 1;
}

int RunCommandLine(const std::string& commandLine, const std::string& logName, Log& log)
{
    if (!logName.empty()) {
        log.Open(logName, commandLine);
    }
    DreamweaverInstaller installer(commandLine, log);
    return installer.Run();
}

int RunInstaller(const std::string& commandLine)
{
    const Reporting reporting = ReadReporting(boost::program_options::split_winmain(commandLine));
    // A folder on an empty drive (a card reader, say) must fail as missing,
    // not make Windows ask for a disk; and a run without a user must not
    // wait on a box about its own crash either.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | (reporting.quiet ? SEM_NOGPFAULTERRORBOX : 0));
    Log log(reporting.quiet);
    const int exitCode = RunReportingFailures(log, [&] { return RunCommandLine(commandLine, reporting.log, log); });
    log.Finish(exitCode);
    return exitCode;
}

} // namespace Installer
