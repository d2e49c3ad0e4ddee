#include "Application.hpp"

#include "Exception.hpp"
#include "Messages.hpp"
#include "OneRunAtATime.hpp"
#include "Reporting.hpp"

#include <boost/format.hpp>
#include <boost/program_options/parsers.hpp>

#include <sstream>

namespace po = boost::program_options;

namespace Installer {

namespace {

po::options_description OptionTable()
{
    po::options_description options("Options", 80);
    options.add_options()
        ("help,h", "show this help message")
        ("install,i", "perform installation")
        ("uninstall,u", "perform uninstallation")
        ("reinstall,r", "perform reinstallation")
        ("quiet,q", "show no message box (but the usage that -h asks for)")
        ("log,l", po::value<std::string>()->value_name("FILE"), "append a log of the run to FILE");
    return options;
}

} // namespace

Application::Application(const std::string& commandLine, Log& log)
    : log(log), commandLine(commandLine), options(OptionTable())
{
    // Words that are not options are accepted and ignored: there is no
    // positional-argument description. No option has a notifier, so the
    // stored values need no po::notify.
    po::store(po::command_line_parser(po::split_winmain(commandLine)).options(options).run(), variables);
    // The parser takes a long option after "--log" for its value: a log file
    // must never be named after an option that a missing name left there.
    if (IsGiven("log") && !IsLogName(variables["log"].as<std::string>())) {
        throw po::invalid_command_line_syntax(po::invalid_command_line_syntax::missing_parameter, "--log", "--log",
                                              po::command_line_style::allow_long);
    }
}

int Application::Run()
{
    if (IsGiven("install") && IsGiven("uninstall")) {
        throw Exception((boost::format(Messages::Contradiction) % commandLine).str());
    }
    // Words without a switch choose nothing: a silent exit would leave the
    // user guessing, so they get the usage too.
    if (IsGiven("help") || !(IsGiven("install") || IsGiven("uninstall") || IsGiven("reinstall"))) {
        ShowUsage();
        return 1;
    }
    const OneRunAtATime oneRun;
    if (!CloseRunningHosts()) {
        return 1;
    }
    const Operation operation = IsGiven("uninstall") ? Operation::Uninstall : IsGiven("install") ? Operation::Install : Operation::Reinstall;
    Prepare(operation);
    if (operation != Operation::Install) {
        Uninstall();
    }
    if (operation != Operation::Uninstall) {
        Install();
    }
    return 0;
}

bool Application::IsGiven(const char* option) const { return variables.count(option) != 0; }

void Application::ShowUsage()
{
    std::ostringstream usage;
    usage << options;
    log.Show(usage.str(), Messages::UsageCaption, MessageKind::Information, IsGiven("help"));
}

bool Application::CloseRunningHosts()
{
    const std::string message = (boost::format(Messages::CloseHost) % GetHostName()).str();
    for (std::string running = FindRunningHost(); !running.empty(); running = FindRunningHost()) {
        log.Write((boost::format(Messages::HostRunning) % GetHostName() % running).str());
        switch (log.Ask(message, Messages::PromptCaption)) {
        case Answer::Retry:
            continue;
        case Answer::Abort:
            return false;
        case Answer::Ignore:
            return true;
        }
    }
    log.Write((boost::format(Messages::NoHostRunning) % GetHostName()).str());
    return true;
}

} // namespace Installer
