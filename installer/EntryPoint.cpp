#include "EntryPoint.hpp"

#include "DreamweaverInstaller.hpp"
#include "MessageBox.hpp"
#include "Messages.hpp"

#include <exception>

namespace Installer {

int RunReportingFailures(const std::function<int()>& work)
{
    try {
        return work();
    } catch (const std::exception& failure) {
        ShowMessage(failure.what(), Messages::ErrorCaption, MessageKind::Error);
    } catch (...) {
        ShowMessage(Messages::UnexpectedFailure, Messages::ErrorCaption, MessageKind::Error);
    }
    return 1;
}

int RunInstaller(const std::string& commandLine)
{
    return RunReportingFailures([&commandLine] {
        DreamweaverInstaller installer(commandLine);
        return installer.Run();
    });
}

} // namespace Installer
