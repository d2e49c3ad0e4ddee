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
// In the test program's own registry view, or with view KEY_WOW64_64KEY in
// the 64-bit one.
class ScopedRegistryValue {
public:
    ScopedRegistryValue(const std::string& keyPath, std::string name, REGSAM view = 0);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    // A UTF-8 text, stored in the system's wide characters.
    void SetString(const std::string& text, DWORD type = REG_SZ);
    void SetRaw(DWORD type, const std::string& bytes); // no terminator added
    void Delete();
    void DeleteKey(); // with everything below it; in the 64-bit view, a key without subkeys

private:
    // The key opened, or created, for setting values.
    Utilities::ScopedRegistryKey Create() const;

    HKEY root;
    std::string subKey, name, oldData;
    REGSAM view;
    bool keyExisted, valueExisted;
    DWORD oldType = 0;
};

// A hidden top-level window of this thread with a title, as a running
// program's main window has; WM_CLOSE closes it.
struct TitledWindow {
    explicit TitledWindow(const std::string& title)
        : handle(CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr)) {}
    ~TitledWindow() { DestroyWindow(handle); }
    TitledWindow(const TitledWindow&) = delete;
    const HWND handle;
};

// The Windows name of a file of the Linux machine (Wine's drive Z: is its root).
std::string HostFile(const std::string& linuxPath);

} // namespace TestSupport
