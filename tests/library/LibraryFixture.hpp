#pragma once
#include "DialogWatcher.hpp"
#include "ScriptHost.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace LibraryTest {

// The error dialog's caption and controls, written out once here.
constexpr const char* Caption = "Vantrelle Extension";
constexpr int MessageControl = 1004;
constexpr int CopyButton = 1002;
constexpr int CloseButton = 1003;

// The folder of the test program, with a trailing backslash, and the build's
// library folder beside it.
std::string TestFolder();
std::string LibraryFolder();

// The built library under a host with the full environment; every error
// dialog is recorded and closed.
class LibraryTest : public ::testing::Test {
protected:
    LibraryTest() { host.Initialize(ScriptHost::FullSize); }

    ScriptValue Text(const std::string& text) { return host.Text(text); }
    ScriptHost::CallResult Call(const std::string& name, const std::vector<ScriptValue>& arguments = {})
    {
        return host.Call(name, arguments);
    }
    std::vector<std::string> DialogTexts() const { return dialogs.Texts(); }

    ScriptHost host{LibraryFolder() + "Loomlet.dll"};
    TestSupport::DialogWatcher dialogs{Caption, TestSupport::DialogWatcher::Press(CloseButton), MessageControl};
};

} // namespace LibraryTest
