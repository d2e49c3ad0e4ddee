#include "EntryPoint.hpp"
#include "Exception.hpp"
#include "RecordingApplication.hpp"

#include "DialogWatcher.hpp"
#include "FailureText.hpp"

#include <gtest/gtest.h>

using TestSupport::DialogWatcher;
using Operations = std::vector<std::string>;

namespace {

const char* const UsageText =
    "Options:\n"
    "  -h [ --help ]         show this help message\n"
    "  -i [ --install ]      perform installation\n"
    "  -u [ --uninstall ]    perform uninstallation\n"
    "  -r [ --reinstall ]    perform reinstallation\n";

// Runs the whole program for a command line, answering its error box.
std::string ErrorShownFor(const std::string& commandLine, int& exitCode)
{
    DialogWatcher errors("Error", {IDOK});
    exitCode = Installer::RunInstaller(commandLine);
    EXPECT_TRUE(errors.WaitFor(1));
    const auto texts = errors.Texts();
    EXPECT_EQ(texts.size(), 1u);
    return texts.empty() ? std::string() : texts.front();
}

} // namespace

TEST(Application, EmptyOrBlankCommandLinesShowTheUsageAndNothingElse)
{
    for (const char* commandLine : {"", " ", "\t  ", "--help", "-h", "--help --install"}) {
        DialogWatcher usage("Usage", {IDOK});
        RecordingApplication application(commandLine);
        EXPECT_EQ(application.Run(), 1) << commandLine;
        ASSERT_TRUE(usage.WaitFor(1)) << commandLine;
        EXPECT_EQ(usage.Texts(), std::vector<std::string>{UsageText}) << commandLine;
        EXPECT_EQ(application.keywordRequests, 0) << commandLine;
        EXPECT_TRUE(application.operations.empty()) << commandLine;
    }
}

TEST(Application, InstallTogetherWithUninstallIsRefusedWithTheCommandLineVerbatim)
{
    for (const char* commandLine : {"-i -u", "-u  --install", "-h -i -u", "-r \"-i\"  -u"}) {
        RecordingApplication application(commandLine);
        EXPECT_EQ(TestSupport::FailureText<Installer::Exception>([&] { application.Run(); }),
                  std::string("Installer: Cannot perform specified operation \"") + commandLine + "\"");
        EXPECT_TRUE(application.operations.empty());
    }
}

TEST(Application, DispatchRunsTheFirstOperationAskedFor)
{
    const struct {
        const char* commandLine;
        int exitCode;
        Operations operations;
    } cases[] = {
        {"-i", 0, {"install"}},
        {"--install", 0, {"install"}},
        {"-u", 0, {"uninstall"}},
        {"-r", 0, {"uninstall", "install"}},
        {"--reinstall", 0, {"uninstall", "install"}},
        {"-u -r", 0, {"uninstall"}},
        {"-i -r", 0, {"install"}},
        {"please install", 1, {}},
    };
    for (const auto& c : cases) {
        RecordingApplication application(c.commandLine);
        EXPECT_EQ(application.Run(), c.exitCode) << c.commandLine;
        EXPECT_EQ(application.operations, c.operations) << c.commandLine;
        EXPECT_EQ(application.keywordRequests, 1) << "close-host step for " << c.commandLine;
    }
}

TEST(Application, AFailedUninstallEndsAReinstall)
{
    RecordingApplication application("-r");
    application.failUninstall = true;
    EXPECT_THROW(application.Run(), std::runtime_error);
    EXPECT_EQ(application.operations, Operations{"uninstall"});
}

TEST(EntryPoint, FailuresBecomeAnErrorBoxAndExitCodeOne)
{
    int exitCode = 0;
    EXPECT_EQ(ErrorShownFor("-i -u", exitCode), "Installer: Cannot perform specified operation \"-i -u\"");
    EXPECT_EQ(exitCode, 1);

    EXPECT_EQ(ErrorShownFor("-x", exitCode), "unrecognised option '-x'");
    EXPECT_EQ(exitCode, 1);

    EXPECT_EQ(ErrorShownFor("-i --install", exitCode), "option '--install' cannot be specified more than once");
    EXPECT_EQ(exitCode, 1);
}

TEST(EntryPoint, FailuresOfAnyTypeAreReported)
{
    DialogWatcher errors("Error", {IDOK});
    EXPECT_EQ(Installer::RunReportingFailures([]() -> int { throw 42; }), 1);
    ASSERT_TRUE(errors.WaitFor(1));
    EXPECT_EQ(errors.Texts().front(), "Installer: An unexpected internal error occurred.");
}

TEST(EntryPoint, TheWorkResultIsTheExitCode)
{
    EXPECT_EQ(Installer::RunReportingFailures([] { return 0; }), 0);
}
