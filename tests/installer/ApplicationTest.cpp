#include "Application.hpp"
#include "EntryPoint.hpp"
#include "Exception.hpp"

#include "DialogWatcher.hpp"
#include "FailureText.hpp"
#include "TopLevelWindow.hpp"

#include <gtest/gtest.h>

using TestSupport::DialogWatcher;
using Operations = std::vector<std::string>;

namespace {

// An installer application whose host operations only record that they ran.
class RecordingApplication : public Installer::Application {
public:
    explicit RecordingApplication(const std::string& commandLine) : Application(commandLine) {}

    std::string GetHostName() override { return "Test Host"; }
    std::string GetRequiredHostName() override { return "Test Host 1.0"; }
    void GetWindowTitleKeywords(std::vector<std::string>& keywords) override
    {
        ++hostChecks;
        keywords = {"test host window"};
    }
    void Install() override { operations.push_back("install"); }
    void Uninstall() override
    {
        operations.push_back("uninstall");
        if (failUninstall) {
            throw std::runtime_error("uninstall failed");
        }
    }

    Operations operations;
    int hostChecks = 0;
    bool failUninstall = false;
};

const char* const CloseHostText = "Please close all running instances of Test Host and press Retry in order to proceed.";

} // namespace

TEST(Application, HelpOrAnEmptyCommandLineShowsTheUsageAndNothingElse)
{
    DialogWatcher usage("Usage", DialogWatcher::Press(IDOK));
    const char* const commandLines[] = {"", " \t ", "--help", "-h", "--help --install"};
    for (const char* commandLine : commandLines) {
        RecordingApplication application(commandLine);
        EXPECT_EQ(1, application.Run()) << commandLine;
        EXPECT_EQ(0, application.hostChecks + static_cast<int>(application.operations.size())) << commandLine;
    }
    EXPECT_EQ(std::vector<std::string>(std::size(commandLines), "Options:\n"
                                                                "  -h [ --help ]         show this help message\n"
                                                                "  -i [ --install ]      perform installation\n"
                                                                "  -u [ --uninstall ]    perform uninstallation\n"
                                                                "  -r [ --reinstall ]    perform reinstallation\n"),
              usage.Texts());
}

TEST(Application, InstallTogetherWithUninstallIsRefusedWithTheCommandLineVerbatim)
{
    for (const char* commandLine : {"-i -u", "-h -i -u", "-r \"-i\"  -u"}) {
        RecordingApplication application(commandLine);
        EXPECT_EQ(std::string("Installer: Cannot perform specified operation \"") + commandLine + "\"",
                  TestSupport::FailureText<Installer::Exception>([&] { application.Run(); }));
        EXPECT_TRUE(application.operations.empty());
    }
}

TEST(Application, TheFirstOperationAskedForRunsAfterTheRunningHostCheck)
{
    const struct {
        const char* commandLine;
        int exitCode;
        Operations operations;
    } rows[] = {
        {"-i", 0, {"install"}},          {"--uninstall", 0, {"uninstall"}},
        {"-r", 0, {"uninstall", "install"}}, {"-u -r", 0, {"uninstall"}},
        {"-i --reinstall", 0, {"install"}},  {"please install", 1, {}},
    };
    for (const auto& row : rows) {
        RecordingApplication application(row.commandLine);
        EXPECT_EQ(row.exitCode, application.Run()) << row.commandLine;
        EXPECT_EQ(row.operations, application.operations) << row.commandLine;
        EXPECT_EQ(1, application.hostChecks) << row.commandLine;
    }
    RecordingApplication reinstall("-r");
    reinstall.failUninstall = true;
    EXPECT_THROW(reinstall.Run(), std::runtime_error);
    EXPECT_EQ(Operations{"uninstall"}, reinstall.operations);
}

TEST(Application, ARunningHostIsAskedToCloseUntilItIsGoneOrTheUserDecides)
{
    const struct {
        const char* commandLine;
        std::vector<int> answers; // closing the host after the last one
        int exitCode;
        Operations operations;
    } rows[] = {
        {"-r", {IDABORT}, 1, {}},
        {"-i", {IDIGNORE}, 0, {"install"}},
        {"-u", {IDCANCEL}, 0, {"uninstall"}},
        {"-u", {IDRETRY, IDRETRY}, 0, {"uninstall"}},
        {"nothing", {IDIGNORE}, 1, {}},
    };
    for (const auto& row : rows) {
        TestSupport::TopLevelWindow host("TEST HOST WINDOW - page.html");
        size_t asked = 0;
        DialogWatcher prompts("Installer", [&](HWND prompt) {
            if (++asked == row.answers.size()) {
                host.Close();
            }
            TestSupport::PressButton(prompt, row.answers[asked - 1]);
        });
        RecordingApplication application(row.commandLine);
        EXPECT_EQ(row.exitCode, application.Run()) << row.commandLine;
        EXPECT_EQ(row.operations, application.operations) << row.commandLine;
        EXPECT_EQ(std::vector<std::string>(row.answers.size(), CloseHostText), prompts.Texts()) << row.commandLine;
    }
}

TEST(EntryPoint, EveryFailureBecomesAnErrorBoxAndExitCodeOne)
{
    DialogWatcher errors("Error", DialogWatcher::Press(IDOK));
    EXPECT_EQ(1, Installer::RunInstaller("-x"));
    EXPECT_EQ(1, Installer::RunInstaller("-i --install"));
    EXPECT_EQ(1, Installer::RunReportingFailures([]() -> int { throw 42; }));
    EXPECT_EQ(0, Installer::RunReportingFailures([] { return 0; }));
    EXPECT_EQ((std::vector<std::string>{"unrecognised option '-x'",
                                        "option '--install' cannot be specified more than once",
                                        "Installer: An unexpected internal error occurred."}),
              errors.Texts());
}
