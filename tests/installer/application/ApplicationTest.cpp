#include "Application.hpp"
#include "EntryPoint.hpp"
#include "Exception.hpp"

#include "TestSupport.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

using namespace TestSupport;
using Operations = std::vector<std::string>;

namespace {

// The icon of a message box: "error", "information", "warning" or "none".
std::string IconOf(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        for (const auto& [shared, name] :
             {std::pair(IDI_ERROR, "error"), std::pair(IDI_INFORMATION, "information"), std::pair(IDI_WARNING, "warning")}) {
            if (icon && icon == LoadIcon(nullptr, shared)) {
                return name;
            }
        }
    }
    return "none";
}

// Records the box's icon, then presses the button.
DialogWatcher::Action RecordingIcon(std::vector<std::string>& icons, int button)
{
    return [&icons, button](HWND box, const std::string&) {
        icons.push_back(IconOf(box));
        DialogWatcher::Press(box, button);
    };
}

// Boxes shown, no log file.
Installer::Log boxes;

// An installer application whose host operations only record that they ran.
class RecordingApplication : public Installer::Application {
public:
    explicit RecordingApplication(const std::string& commandLine) : Application(commandLine, boxes) {}

    std::string GetHostName() override { return "Test Host"; }
    std::string GetRequiredHostName() override { return "Test Host 1.0"; }
    void GetWindowTitleKeywords(std::vector<std::string>& keywords) override
    {
        operations.push_back("host check");
        keywords = {"test host window"};
    }
    std::string FindHostInUse() override { return ""; }
    void Prepare(Installer::Operation operation) override
    {
        operations.push_back(std::string("prepare ") + (operation == Installer::Operation::Install     ? "install"
                                                        : operation == Installer::Operation::Uninstall ? "uninstall"
                                                                                                        : "reinstall"));
    }
    void Install() override { operations.push_back("install"); }
    void Uninstall() override { operations.push_back("uninstall"); }

    Operations operations;
};

} // namespace

// The first run meets a running host: it is asked to close again after each
// retry until it is gone. The end-to-end tests answer with Abort and Ignore.
TEST(Application, TheFirstOperationAskedForRunsAfterTheHostIsClosedOrTheUsageIsShownOrBothOperationsAreRefused)
{
    std::vector<std::string> icons;
    const DialogWatcher usage("Usage", 0xFFFF, RecordingIcon(icons, IDOK));
    const TitledWindow host("TEST HOST WINDOW - page.html");
    const DialogWatcher prompts("Installer", 0xFFFF, [&](HWND prompt, const std::string&) {
        icons.push_back(IconOf(prompt));
        if (icons.size() == 2) {
            PostMessageA(host.handle, WM_CLOSE, 0, 0);
        }
        DialogWatcher::Press(prompt, IDRETRY);
    });
    const std::pair<const char*, Operations> rows[] = {
        {"-u", {"host check", "host check", "host check", "prepare uninstall", "uninstall"}},
        {"-i", {"host check", "prepare install", "install"}}, {"-r", {"host check", "prepare reinstall", "uninstall", "install"}},
        {"-u -r", {"host check", "prepare uninstall", "uninstall"}}, {"-i --reinstall", {"host check", "prepare install", "install"}},
        {"please install", {}},
        {"", {}}, {" \t ", {}}, {"-h", {}}, {"--help --install", {}},
    };
    for (const auto& [commandLine, operations] : rows) {
        RecordingApplication application(commandLine);
        EXPECT_EQ(operations.size() > 1 ? 0 : 1, application.Run()) << commandLine;
        EXPECT_EQ(operations, application.operations) << commandLine;
    }
    EXPECT_EQ(std::vector<std::string>(2, "Please close all running instances of Test Host and press Retry in order to proceed."),
              prompts.Texts());
    EXPECT_EQ(std::vector<std::string>(5, "Options:\n"
                                          "  -h [ --help ]         show this help message\n"
                                          "  -i [ --install ]      perform installation\n"
                                          "  -u [ --uninstall ]    perform uninstallation\n"
                                          "  -r [ --reinstall ]    perform reinstallation\n"
                                          "  -q [ --quiet ]        show no message box (but the usage that -h asks for)\n"
                                          "  -l [ --log ] FILE     append a log of the run to FILE\n"),
              usage.Texts());
    EXPECT_EQ((std::vector<std::string>{"warning", "warning", "information", "information", "information", "information", "information"}), icons);
    for (const char* commandLine : {"-i -u", "-h -i -u", "-r \"-i\"  -u"}) {
        RecordingApplication application(commandLine);
        EXPECT_EQ(std::string("Installer: Cannot perform specified operation \"") + commandLine + "\"",
                  TextOrFailure<Installer::Exception>([&] { application.Run(); }));
        EXPECT_EQ(Operations{}, application.operations);
    }
}

// A quiet run shows no box whatever is wrong with its command line, and its
// log, when one can be opened, gets the text; a log is never named after an
// option. The run turns Windows' own error boxes off, a quiet one also that
// of a crash.
TEST(EntryPoint, EveryFailureBecomesAnErrorBoxOrInAQuietRunALogLineAndExitCodeOne)
{
    std::vector<std::string> icons;
    const DialogWatcher errors("Error", 0xFFFF, RecordingIcon(icons, IDOK));
    TempFolder folder;
    const fs::path log = folder / "setup.log";
    SetErrorMode(0);
    for (const std::string& commandLine : {std::string("-x"), "-x --quiet --log \"" + log.string() + "\"", std::string("-i -q --log"), std::string("-i --log --quiet"),
                                          std::string("-i --log -v")}) {
        EXPECT_EQ(1, Installer::RunInstaller(commandLine)) << commandLine;
    }
    EXPECT_EQ(UINT(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX), SetErrorMode(0));
    EXPECT_EQ(1, Installer::RunInstaller("-q -x"));
    EXPECT_EQ(UINT(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | SEM_NOGPFAULTERRORBOX), SetErrorMode(0));
    EXPECT_EQ(1, Installer::RunReportingFailures(boxes, []() -> int { throw 42; }));
    EXPECT_EQ(0, Installer::RunReportingFailures(boxes, [] { return 0; }));
    EXPECT_EQ((std::vector<std::string>{"unrecognised option '-x'", "the required argument for option '--log' is missing",
                                        "Installer: An unexpected internal error occurred."}),
              errors.Texts());
    EXPECT_EQ(std::vector<std::string>(3, "error"), icons);
    EXPECT_NE(std::string::npos, ReadFile(log).find("\r\nBox \"Error\" not shown: unrecognised option '-x'\r\nExit code 1\r\n"));
    EXPECT_FALSE(fs::exists("--quiet") || fs::exists("-v"));
}
