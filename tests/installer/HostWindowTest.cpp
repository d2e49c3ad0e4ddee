#include "RecordingApplication.hpp"

#include "DialogWatcher.hpp"
#include "TopLevelWindow.hpp"
#include "DreamweaverInstaller.hpp"

#include <gtest/gtest.h>


using FakeHostWindow = TestSupport::TopLevelWindow;
using TestSupport::DialogWatcher;
using Operations = std::vector<std::string>;

namespace {

const char* const CloseHostText =
    "Please close all running instances of Test Host and press Retry in order to proceed.";

} // namespace

TEST(HostWindow, TitlesWithTheKeywordCountUnlessTheyLookLikeAnInstallerOrAFolder)
{
    const struct {
        const char* title;
        bool running;
    } cases[] = {
        {"Macromedia Dreamweaver MX 2004 - [Untitled-1 (XHTML)]", true},
        {"mAcRoMeDiA dReAmWeAvEr", true},
        {"Macromedia Dreamweaver MX 2004 Setup", false},
        {"SETUP macromedia dreamweaver", false},
        {"Uninstall Macromedia Dreamweaver", false},
        {"Macromedia Dreamweaver - C:\\Sites\\index.html", false},
        {"Dreamweaver", false},
        {"Macromedia  Dreamweaver", false},
    };
    Installer::DreamweaverInstaller installer("");
    EXPECT_FALSE(installer.IsHostRunning());
    for (const auto& c : cases) {
        FakeHostWindow window(c.title);
        EXPECT_EQ(installer.IsHostRunning(), c.running) << c.title;
    }
}

TEST(HostWindow, NoRunningHostMeansNoPrompt)
{
    DialogWatcher prompts("Installer", {IDABORT});
    RecordingApplication application("-i");
    EXPECT_EQ(application.Run(), 0);
    EXPECT_EQ(application.operations, Operations{"install"});
    EXPECT_TRUE(prompts.Texts().empty());
}

TEST(HostWindow, RetryAsksAgainUntilTheHostIsClosed)
{
    FakeHostWindow host("Test Host Window - page.html");
    int shown = 0;
    DialogWatcher prompts("Installer", [&](HWND prompt) {
        if (++shown == 2) {
            host.Close();
        }
        TestSupport::PressButton(prompt, IDRETRY);
    });
    RecordingApplication application("-u");
    EXPECT_EQ(application.Run(), 0);
    EXPECT_EQ(prompts.Texts(), (std::vector<std::string>{CloseHostText, CloseHostText}));
    EXPECT_EQ(application.operations, Operations{"uninstall"});
}

TEST(HostWindow, TheAnswerToThePromptDecidesWhetherTheOperationRuns)
{
    const struct {
        const char* title;
        int answer;
        const char* commandLine;
        int exitCode;
        Operations operations;
    } cases[] = {
        {"TEST HOST WINDOW", IDABORT, "-r", 1, {}},
        {"test host window", IDIGNORE, "-i", 0, {"install"}},
        {"test host window", IDCANCEL, "-u", 0, {"uninstall"}},
        {"test host window", IDIGNORE, "nothing", 1, {}},
    };
    for (const auto& c : cases) {
        FakeHostWindow host(c.title);
        DialogWatcher prompts("Installer", {c.answer});
        RecordingApplication application(c.commandLine);
        EXPECT_EQ(application.Run(), c.exitCode) << c.commandLine;
        EXPECT_EQ(prompts.Texts(), std::vector<std::string>{CloseHostText}) << c.commandLine;
        EXPECT_EQ(application.operations, c.operations) << c.commandLine;
    }
}
