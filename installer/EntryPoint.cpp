#include "EntryPoint.hpp"

#include "DreamweaverInstaller.hpp"
#include "Messages.hpp"

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

int RunInstaller(const std::string& commandLine)
{
    Log log;
    log.SetQuiet(Application::AsksForQuiet(commandLine));
    const int exitCode = RunReportingFailures(log, [&] {
        DreamweaverInstaller installer(commandLine, log);
        return installer.Run();
    });
    log.Finish(exitCode);
    return exitCode;
}

} // namespace Installer
