// Calls the functions of Loomlet.dll from the command line, the way the host
// application's scripts do, and prints what each call gives back.
#include "ScriptHost.hpp"
#include "DialogWatcher.hpp"
#include "Resource.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const Usage =
    "Usage: LoomletHost [--unattended] [--library FILE] FUNCTION [ARGUMENT...] [; FUNCTION [ARGUMENT...]]...\n"
    "  Loads the library (default: Loomlet.dll), calls each function with its arguments as\n"
    "  script texts and prints what it returned. An argument @ stands for the last result\n"
    "  a call gave. --unattended prints each error dialog's text and closes it.\n";

struct Options {
    bool unattended = false;
    std::string library = "Loomlet.dll";
    std::vector<std::vector<std::string>> calls;
};

bool Parse(int count, char** arguments, Options& options)
{
    int index = 1;
    for (; index < count; ++index) {
        const std::string argument = arguments[index];
        if (argument == "--unattended") {
            options.unattended = true;
        } else if (argument == "--library" && index + 1 < count) {
            options.library = arguments[++index];
        } else {
            break;
        }
    }
    options.calls.emplace_back();
    for (; index < count; ++index) {
        const std::string argument = arguments[index];
        if (argument == ";") {
            options.calls.emplace_back();
        } else {
            options.calls.back().push_back(argument);
        }
    }
    for (const auto& call : options.calls) {
        if (call.empty()) {
            return false;
        }
    }
    return true;
}

// Returns the result text for the next call's @: the last result stored.
std::string RunCall(ScriptHost& host, const std::vector<std::string>& call, const std::string& previous, bool& failed)
{
    std::vector<ScriptValue> arguments;
    for (size_t index = 1; index < call.size(); ++index) {
        arguments.push_back(host.Text(call[index] == "@" ? previous : call[index]));
    }
    const ScriptHost::CallResult result = host.Call(call[0], arguments);
    std::cout << call[0] << " returned " << result.returned << ", result " << host.Describe(result.result)
              << std::endl;
    failed = failed || result.returned != 1;
    return result.result == ScriptHost::Unset ? previous : host.TextOf(result.result);
}

} // namespace

int main(int count, char** arguments)
{
    Options options;
    if (!Parse(count, arguments, options)) {
        std::cerr << Usage;
        return 2;
    }
    try {
        ScriptHost host(options.library);
        host.Initialize(ScriptHost::FullSize);
        std::unique_ptr<DialogWatcher> dialogs;
        if (options.unattended) {
            // Each text is printed, with the console's line ends, and the dialog closed.
            dialogs = std::make_unique<DialogWatcher>(ERROR_DIALOG_CAPTION, IDC_MESSAGE_TEXT, [](HWND dialog, std::string text) {
                text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
                std::cout << "Dialog:\n" << text << "\n" << std::flush;
                DialogWatcher::Press(dialog, IDC_CLOSE);
            });
        }
        bool failed = false;
        std::string previous;
        for (const auto& call : options.calls) {
            previous = RunCall(host, call, previous, failed);
        }
        return failed ? 1 : 0;
    } catch (const std::exception& failure) {
        std::cerr << "LoomletHost: " << failure.what() << "\n";
        return 2;
    }
}
