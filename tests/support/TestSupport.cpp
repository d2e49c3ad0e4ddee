#include "TestSupport.hpp"

#include "Registry.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/system/error_code.hpp>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <fstream>

namespace TestSupport {

TempFolder::TempFolder() : path(fs::temp_directory_path() / fs::unique_path("vnl-test-%%%%-%%%%-%%%%"))
{
    fs::create_directories(path);
}

TempFolder::~TempFolder() { boost::system::error_code ignored; fs::remove_all(path, ignored); }

void WriteFile(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream stream(file.c_str(), std::ios::binary);
    EXPECT_TRUE(stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).good()) << "cannot write " << file;
}

std::string ReadFile(const fs::path& file)
{
    std::ifstream stream(file.c_str(), std::ios::binary);
    EXPECT_TRUE(stream.is_open()) << "cannot read " << file;
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

Utilities::ScopedHandle HoldOpen(const fs::path& file, DWORD shareMode)
{
    Utilities::ScopedHandle handle(
        CreateFileW(file.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(handle.IsValid()) << "cannot hold " << file;
    return handle;
}

std::string Reason(DWORD code) { return boost::system::error_code(static_cast<int>(code), boost::system::system_category()).message(); }

ScopedRegistryValue::ScopedRegistryValue(const std::string& keyPath, std::string name) : name(std::move(name))
{
    const Utilities::Registry::Key key(keyPath);
    root = key.GetRootHandle();
    subKey = key.GetSubKeyPath();
    Utilities::ScopedRegistryKey handle;
    keyExisted = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, handle.Receive()) == ERROR_SUCCESS;
    const auto query = [&](DWORD& size) {
        return RegQueryValueExA(handle.Get(), this->name.c_str(), nullptr, &oldType,
                                size ? reinterpret_cast<BYTE*>(oldData.data()) : nullptr, &size) == ERROR_SUCCESS;
    };
    DWORD size = 0;
    valueExisted = keyExisted && query(size) && (oldData.resize(size), size == 0 || query(size));
}

ScopedRegistryValue::~ScopedRegistryValue()
{
    !keyExisted ? DeleteKey() : valueExisted ? SetRaw(oldType, oldData) : Delete();
}

void ScopedRegistryValue::SetRaw(DWORD type, const std::string& bytes)
{
    EXPECT_EQ(ERROR_SUCCESS, SHSetValueA(root, subKey.c_str(), name.c_str(), type, bytes.data(), static_cast<DWORD>(bytes.size())))
        << subKey << "\\" << name;
}

void ScopedRegistryValue::Delete() { SHDeleteValueA(root, subKey.c_str(), name.c_str()); }

void ScopedRegistryValue::DeleteKey() { SHDeleteKeyA(root, subKey.c_str()); }

TitledWindow::TitledWindow(const std::string& title)
    : handle(CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                             nullptr))
{
}

namespace {

BOOL CALLBACK FindIcon(HWND child, LPARAM icon)
{
    auto& found = *reinterpret_cast<HICON*>(icon);
    found = found ? found : reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return TRUE;
}

} // namespace

std::string IconOf(HWND box)
{
    HICON icon = nullptr;
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&icon));
    for (const auto& [shared, name] : {std::pair(IDI_ERROR, "error"), std::pair(IDI_INFORMATION, "information"), std::pair(IDI_WARNING, "warning")}) {
        if (icon == LoadIcon(nullptr, shared)) {
            return name;
        }
    }
    return "none";
}

DialogWatcher::Action RecordingIcon(std::vector<std::string>& icons, int button)
{
    return [&icons, button](HWND box, const std::string&) {
        icons.push_back(IconOf(box));
        DialogWatcher::Press(box, button);
    };
}

bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

std::string HostFile(const std::string& linuxPath)
{
    std::string windowsPath = "Z:" + linuxPath;
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    return windowsPath;
}

long RunProgram(const std::string& commandLine, const fs::path& currentFolder)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    std::string writable = commandLine;
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder.string().c_str(),
                        &startup, &started)) {
        return -1;
    }
    const Utilities::ScopedHandle process(started.hProcess), thread(started.hThread);
    DWORD exitCode = 0;
    if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &exitCode)) {
        TerminateProcess(process.Get(), 1);
        return -1;
    }
    return static_cast<long>(exitCode);
}

} // namespace TestSupport
