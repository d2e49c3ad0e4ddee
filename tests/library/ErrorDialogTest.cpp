#include "LibraryFixture.hpp"

#include "Handles.hpp"

#include <optional>

namespace LibraryTest {
namespace {

struct Observed {
    std::string text;
    std::optional<std::string> clipboard;
    std::size_t clipboardSize = 0;
    bool openAfterCopies = false;
    bool openAfterIdsOneAndTwo = false;
};

// The CF_TEXT block on the clipboard, all of its bytes.
std::optional<std::string> ClipboardBlock(std::size_t& size)
{
    Utilities::ScopedClipboard clipboard(nullptr);
    if (!clipboard) {
        return std::nullopt;
    }
    const HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr) {
        return std::nullopt;
    }
    size = GlobalSize(data);
    Utilities::ScopedGlobalLock lock(data);
    if (!lock) {
        return std::nullopt;
    }
    return std::string(static_cast<const char*>(lock.Get()), size);
}

void EmptyTheClipboard()
{
    Utilities::ScopedClipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard);
    EmptyClipboard();
}

// Shows the text with Error, copies it twice, sends the ids the dialog
// manager uses for Enter and Escape, and closes the dialog with its button.
Observed ShowAndCopy(ScriptHost& host, const std::string& text, int& returned)
{
    Observed observed;
    {
        TestSupport::DialogWatcher watcher(
            Caption,
            [&](HWND dialog) {
                observed.text = TestSupport::DialogItemText(dialog, MessageControl);
                SendMessageA(dialog, WM_COMMAND, CopyButton, 0);
                SendMessageA(dialog, WM_COMMAND, CopyButton, 0);
                observed.openAfterCopies = IsWindow(dialog) && IsWindowVisible(dialog);
                observed.clipboard = ClipboardBlock(observed.clipboardSize);
                SendMessageA(dialog, WM_COMMAND, IDOK, 0);
                SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                observed.openAfterIdsOneAndTwo = IsWindow(dialog) && IsWindowVisible(dialog);
                TestSupport::PressButton(dialog, CloseButton);
            },
            TestSupport::DialogWatcher::Scope::ThisProcess, MessageControl);
        returned = host.Call("Error", {host.Text(text)}).returned;
    }
    return observed;
}

class ErrorDialogTest : public ::testing::Test {
protected:
    ErrorDialogTest() { host.Initialize(ScriptHost::FullSize); }
    ScriptHost host{LibraryPath()};
};

TEST_F(ErrorDialogTest, CopyPutsTheTextAndOneNulOnTheClipboardAndKeepsTheDialogOpen)
{
    const std::string texts[] = {"", "One line", "First line\r\nSecond line\r\n\r\nLast line",
                                 std::string(3000, 'x')};
    for (const auto& text : texts) {
        EmptyTheClipboard();
        int returned = 0;
        const Observed observed = ShowAndCopy(host, text, returned);
        EXPECT_EQ(returned, 1);
        EXPECT_EQ(observed.text, text);
        EXPECT_TRUE(observed.openAfterCopies);
        ASSERT_TRUE(observed.clipboard.has_value()) << text;
        EXPECT_EQ(observed.clipboardSize, text.size() + 1);
        EXPECT_EQ(*observed.clipboard, text + '\0');
    }
}

TEST_F(ErrorDialogTest, EnterAndEscapeCommandsDoNotCloseTheDialog)
{
    int returned = 0;
    EXPECT_TRUE(ShowAndCopy(host, "Stays open", returned).openAfterIdsOneAndTwo);
}

TEST_F(ErrorDialogTest, CloseBoxEndsTheDialog)
{
    TestSupport::DialogWatcher watcher(
        Caption, [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); },
        TestSupport::DialogWatcher::Scope::ThisProcess, MessageControl);
    const auto call = host.Call("Error", {host.Text("Closed by the close box")});
    EXPECT_EQ(call.returned, 1);
    EXPECT_EQ(call.result, ScriptHost::Unset);
    EXPECT_EQ(watcher.Texts(), std::vector<std::string>{"Closed by the close box"});
}

} // namespace
} // namespace LibraryTest
