#pragma once
// What the Windows tests share: temporary files, registry values, windows
// and other programs. Dialogs are answered with LoomletHost's DialogWatcher.
#include "DialogWatcher.hpp"
#include "Handles.hpp"

#include <boost/filesystem/path.hpp>

#include <string>
#include <type_traits>
#include <vector>

namespace TestSupport {

namespace fs = boost::filesystem;

// A new, empty folder below the temporary folder, removed with its content.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    fs::path operator/(const fs::path& relative) const { return path / relative; }
    const fs::path path;
};

// Writes exactly these bytes, creating the folders; reads them back.
void WriteFile(const fs::path& file, const std::string& bytes);
std::string ReadFile(const fs::path& file);
// Holds a file open as another program would: tests run as root, so file
// rights stop nothing, but a sharing mode does.
Utilities::ScopedHandle HoldOpen(const fs::path& file, DWORD shareMode);

// What the call returns ("" when it returns nothing), or the text of the
// Failure it throws.
template <class Failure = std::exception, class Call>
std::string TextOrFailure(Call call)
{
    try {
        if constexpr (std::is_void_v<decltype(call())>) {
            return call(), "";
        } else {
            return call();
        }
    } catch (const Failure& failure) {
        return failure.what();
    }
}

// The system's text for an error code.
std::string Reason(DWORD code);

// A registry value that a test sets for its own duration: whatever was there
// before, or its absence, comes back when the object goes out of scope.
class ScopedRegistryValue {
public:
    ScopedRegistryValue(const std::string& keyPath, std::string name);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    void SetString(const std::string& text, DWORD type = REG_SZ) { SetRaw(type, std::string(text.c_str(), text.size() + 1)); }
    void SetRaw(DWORD type, const std::string& bytes); // no terminator added
    void Delete();
    void DeleteKey(); // with everything below it

private:
    HKEY root;
    std::string subKey, name, oldData;
    bool keyExisted, valueExisted;
    DWORD oldType = 0;
};

// A hidden top-level window of this thread with a title, as a running
// program's main window has; WM_CLOSE closes it.
struct TitledWindow {
    explicit TitledWindow(const std::string& title);
    ~TitledWindow() { DestroyWindow(handle); }
    TitledWindow(const TitledWindow&) = delete;
    const HWND handle;
};

// The icon of a message box: "error", "information", "warning" or "none".
std::string IconOf(HWND box);
// Records the box's icon, then presses the button.
DialogWatcher::Action RecordingIcon(std::vector<std::string>& icons, int button);

// Whether the tests run under Wine rather than Windows.
bool UnderWine();

// The Windows name of a file of the Linux machine (Wine's drive Z: is its root).
std::string HostFile(const std::string& linuxPath);
// Runs a command line to its end (a minute at most): its exit code, or -1.
long RunProgram(const std::string& commandLine, const fs::path& currentFolder);

} // namespace TestSupport
