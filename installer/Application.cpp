#include "Application.hpp"

#include "Exception.hpp"
#include "Messages.hpp"
#include "OneRunAtATime.hpp"

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
}

bool Application::AsksForQuiet(const std::string& commandLine)
{
    try {
        po::variables_map found;
        po::store(po::command_line_parser(po::split_winmain(commandLine)).options(OptionTable()).allow_unregistered().run(), found);
        return found.count("quiet") != 0;
    } catch (const std::exception&) {
        return false;
    }
}

int Application::Run()
{
    log.SetQuiet(IsGiven("quiet"));
    if (IsGiven("log")) {
        log.Open(variables["log"].as<std::string>(), commandLine);
    }
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
    // A reinstall that could not install would only uninstall.
    const bool installs = !IsGiven("uninstall");
    Prepare(installs);
    if (IsGiven("uninstall") || !IsGiven("install")) {
        Uninstall();
    }
    if (installs) {
        Install();
    }
    return 0;
}

bool Application::IsGiven(const char* option) const { return variables.count(option) != 0; }

bool Application::ChoosesOperation() const
{
    return IsGiven("install") || IsGiven("uninstall") || IsGiven("reinstall");
}

void Application::ShowUsage()
{
    std::ostringstream usage;
    usage << options;
    log.Show(usage.str(), Messages::UsageCaption, MessageKind::Information, IsGiven("help"));
}

bool Application::CloseRunningHosts()
{
    const std::string message = (boost::format(Messages::CloseHost) % GetHostName()).str();
    if (!IsHostRunning()) {
        log.Write((boost::format(Messages::NoHostRunning) % GetHostName()).str());
        return true;
    }
    do {
        switch (log.Ask(message, Messages::PromptCaption)) {
        case Answer::Retry:
            continue;
        case Answer::Abort:
            return false;
        case Answer::Ignore:
            return true;
        }
    } while (IsHostRunning());
    return true;
}

} // namespace Installer
