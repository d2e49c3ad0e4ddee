#include "Application.hpp"

#include "Exception.hpp"
#include "MessageBox.hpp"
#include "Messages.hpp"
#include "OneRunAtATime.hpp"

#include <boost/format.hpp>
#include <boost/program_options/parsers.hpp>

#include <sstream>

namespace po = boost::program_options;

namespace Installer {

Application::Application(const std::string& commandLine)
    : commandLine(commandLine), options("Options", 80)
{
    options.add_options()
        ("help,h", "show this help message")
        ("install,i", "perform installation")
        ("uninstall,u", "perform uninstallation")
        ("reinstall,r", "perform reinstallation");
    // Words that are not options are accepted and ignored: there is no
    // positional-argument description. No option has a notifier, so the
    // stored values need no po::notify.
    po::store(po::command_line_parser(po::split_winmain(commandLine)).options(options).run(), variables);
}

int Application::Run()
{
    if (IsGiven("install") && IsGiven("uninstall")) {
        throw Exception((boost::format(Messages::Contradiction) % commandLine).str());
    }
    // Words without a switch choose nothing: a silent exit would leave the
    // user guessing, so they get the usage too.
    if (IsGiven("help") || !ChoosesOperation()) {
        ShowUsage();
        return 1;
    }
    const OneRunAtATime oneRun;
    if (!CloseRunningHosts()) {
        return 1;
    }
    if (IsGiven("uninstall")) {
        Uninstall();
        return 0;
    }
    // A reinstall that could not install would only uninstall.
    CheckInstall();
    if (!IsGiven("install")) {
        Uninstall();
    }
    Install();
    return 0;
}

bool Application::IsGiven(const char* option) const { return variables.count(option) != 0; }

bool Application::ChoosesOperation() const
{
    return IsGiven("install") || IsGiven("uninstall") || IsGiven("reinstall");
}

void Application::ShowUsage() const
{
    std::ostringstream usage;
    usage << options;
    ShowMessage(usage.str(), Messages::UsageCaption, MessageKind::Information);
}

bool Application::CloseRunningHosts()
{
    const std::string message = (boost::format(Messages::CloseHost) % GetHostName()).str();
    while (IsHostRunning()) {
        switch (AskAbortRetryIgnore(message, Messages::PromptCaption)) {
        case Answer::Retry:
            continue;
        case Answer::Abort:
            return false;
        case Answer::Ignore:
            return true;
        }
    }
    return true;
}

} // namespace Installer
