#include "Application.hpp"
#include "EntryPoint.hpp"
#include "Exception.hpp"

#include "TestSupport.hpp"

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
    bool IsHostInUse() override { return false; }
    void Prepare(bool installing) override { operations.push_back(installing ? "check" : "prepare"); }
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
        {"-u", {"host check", "host check", "host check", "prepare", "uninstall"}}, {"-i", {"host check", "check", "install"}},
        {"-r", {"host check", "check", "uninstall", "install"}}, {"-u -r", {"host check", "prepare", "uninstall"}},
        {"-i --reinstall", {"host check", "check", "install"}}, {"please install", {}},
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

TEST(EntryPoint, EveryFailureBecomesAnErrorBoxAndExitCodeOne)
{
    std::vector<std::string> icons;
    const DialogWatcher errors("Error", 0xFFFF, RecordingIcon(icons, IDOK));
    EXPECT_EQ(1, Installer::RunInstaller("-x"));
    EXPECT_EQ(1, Installer::RunInstaller("-x --quiet"));
    EXPECT_EQ(1, Installer::RunReportingFailures(boxes, []() -> int { throw 42; }));
    EXPECT_EQ(0, Installer::RunReportingFailures(boxes, [] { return 0; }));
    EXPECT_EQ((std::vector<std::string>{"unrecognised option '-x'", "Installer: An unexpected internal error occurred."}),
              errors.Texts());
    EXPECT_EQ(std::vector<std::string>(2, "error"), icons);
}
