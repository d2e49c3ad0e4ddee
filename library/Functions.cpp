#include "Functions.hpp"

#include "Environment.hpp"
#include "ErrorDialog.hpp"
#include "Frame.hpp"
#include "LibraryMessages.hpp"
#include "ProgramPath.hpp"
#include "Process.hpp"
#include "Profile.hpp"

#include "Paths.hpp"
#include "Text.hpp"

#include <exception>

namespace {

int WriteINI(void* context, void*, std::uint32_t count, ScriptValue* arguments, ScriptValue*)
{
    return RunFrame("WriteINI", 4, count, [&] {
        const std::string file = ArgumentText(context, arguments[0]);
        const std::string section = ArgumentText(context, arguments[1]);
        const std::string key = ArgumentText(context, arguments[2]);
        const std::string value = ArgumentText(context, arguments[3]);
        Utilities::Profile(file).GetSection(section).GetKey(key).SetValue(value);
        return 1;
    });
}

int ReadINI(void* context, void*, std::uint32_t count, ScriptValue* arguments, ScriptValue* result)
{
    return RunFrame("ReadINI", 3, count, [&] {
        const std::string file = ArgumentText(context, arguments[0]);
        const std::string section = ArgumentText(context, arguments[1]);
        const std::string key = ArgumentText(context, arguments[2]);
        StoreText(context, Utilities::Profile(file).GetSection(section).GetKey(key).GetValue(), result);
        return 1;
    });
}

int IsExtensionInstalled(void*, void*, std::uint32_t count, ScriptValue*, ScriptValue* result)
{
    return RunFrame("IsExtensionInstalled", 0, count, [&] {
        *result = ScriptBoolean(ProgramPathExists(Dreamweaver));
        return 1;
    });
}

int GetExtensionPath(void* context, void*, std::uint32_t count, ScriptValue*, ScriptValue* result)
{
    return RunFrame("GetExtensionPath", 0, count, [&] {
        if (GetHostEnvironment().stringToValue != nullptr) {
            StoreText(context, Utilities::AnsiFromUtf8(Utilities::NativeText(ReadProgramPath(Dreamweaver))), result);
        }
        return 1;
    });
}

int Execute(void* context, void*, std::uint32_t count, ScriptValue* arguments, ScriptValue* result)
{
    return RunFrame("Execute", 1, count, [&] {
        const std::string commandLine = ArgumentText(context, arguments[0]);
        try {
            *result = ScriptInteger(static_cast<std::int32_t>(StartProcess(commandLine)));
            return 1;
        } catch (const StartProcessError& failure) {
            ShowErrorDialog(Messages::ExecuteFailedText(GetSystemErrorText(failure.Code()), commandLine,
                                                        failure.what()));
        } catch (const std::exception& failure) {
            const std::string systemError = GetSystemErrorText();
            ShowErrorDialog(Messages::ExecuteFailedText(systemError, commandLine, failure.what()));
        }
        return 0;
    });
}

int IsProcessRunning(void* context, void*, std::uint32_t count, ScriptValue* arguments, ScriptValue* result)
{
    return RunFrame("IsProcessRunning", 1, count, [&] {
        const auto id = static_cast<DWORD>(ArgumentInteger(context, arguments[0]));
        *result = ScriptBoolean(ProcessIsRunning(id));
        return 1;
    });
}

int GetProcessExitCode(void* context, void*, std::uint32_t count, ScriptValue* arguments, ScriptValue* result)
{
    return RunFrame("GetProcessExitCode", 1, count, [&] {
        const auto id = static_cast<DWORD>(ArgumentInteger(context, arguments[0]));
        *result = ScriptInteger(ProcessExitCode(id));
        return 1;
    });
}

int Wait(void*, void*, std::uint32_t count, ScriptValue*, ScriptValue*)
{
    return RunFrame("Wait", 0, count, [] {
        PumpOneMessage();
        return 1;
    });
}

int Error(void* context, void*, std::uint32_t count, ScriptValue* arguments, ScriptValue*)
{
    return RunFrame("Error", 1, count, [&] {
        ShowErrorDialog(ArgumentText(context, arguments[0]));
        return 1;
    });
}

} // namespace

const ScriptFunction ScriptFunctions[] = {
    {"WriteINI", WriteINI, 4},
    {"ReadINI", ReadINI, 3},
    {"IsExtensionInstalled", IsExtensionInstalled, 0},
    {"GetExtensionPath", GetExtensionPath, 0},
    {"Execute", Execute, 1},
    {"IsProcessRunning", IsProcessRunning, 1},
    {"GetProcessExitCode", GetProcessExitCode, 1},
    {"Wait", Wait, 0},
    {"Error", Error, 1},
};

const std::size_t ScriptFunctionCount = sizeof ScriptFunctions / sizeof ScriptFunctions[0];
