#include "LibraryFixture.hpp"

#include "Handles.hpp"

namespace LibraryTest {
namespace {

// All the bytes of the CF_TEXT block on the clipboard.
std::string ClipboardBlock()
{
    const Utilities::ScopedClipboard clipboard(nullptr);
    const HANDLE data = clipboard ? GetClipboardData(CF_TEXT) : nullptr;
    const Utilities::ScopedGlobalLock lock(data);
    return lock ? std::string(static_cast<const char*>(lock.Get()), GlobalSize(data)) : "(none)";
}

bool IsOpen(HWND dialog) { return IsWindow(dialog) && IsWindowVisible(dialog); }

// Shows the text with Error and acts on the dialog; what the action saw.
std::string Show(ScriptHost& host, const std::string& text, const std::function<std::string(HWND)>& act)
{
    std::string seen;
    {
        TestSupport::DialogWatcher watcher(Caption, [&](HWND dialog) { seen = act(dialog); }, MessageControl);
        const auto call = host.Call("Error", {host.Text(text)});
        EXPECT_EQ(std::make_pair(1, ScriptHost::Unset), std::make_pair(call.returned, call.result));
        EXPECT_EQ(std::vector<std::string>{text}, watcher.Texts());
    }
    return seen;
}

class ErrorDialogTest : public ::testing::Test {
protected:
    ErrorDialogTest() { host.Initialize(ScriptHost::FullSize); }
    ScriptHost host{LibraryFolder() + "Loomlet.dll"};
};

TEST_F(ErrorDialogTest, CopyPutsTheTextAndOneNulOnTheClipboardAndKeepsTheDialogOpen)
{
    for (const std::string& text : {std::string(), std::string("First line\r\nSecond line\r\n"), std::string(3000, 'x')}) {
        {
            const Utilities::ScopedClipboard clipboard(nullptr);
            EmptyClipboard();
        }
        const std::string seen = Show(host, text, [](HWND dialog) {
            SendMessageA(dialog, WM_COMMAND, CopyButton, 0);
            SendMessageA(dialog, WM_COMMAND, CopyButton, 0);
            const std::string block = IsOpen(dialog) ? ClipboardBlock() : "closed";
            TestSupport::PressButton(dialog, CloseButton);
            return block;
        });
        EXPECT_EQ(text + '\0', seen) << text.size() << " characters";
    }
}

TEST_F(ErrorDialogTest, EnterPressesCloseAndTheCloseBoxClosesButTheCommandsOfIdsOneAndTwoDoNot)
{
    EXPECT_EQ("open", Show(host, "Enter", [](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        const std::string state = IsOpen(dialog) ? "open" : "closed";
        PostMessageA(GetDlgItem(dialog, MessageControl), WM_KEYDOWN, VK_RETURN, 0);
        return state;
    }));
    Show(host, "Close box", [](HWND dialog) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return std::string();
    });
}

} // namespace
} // namespace LibraryTest
