#include "TestSupport.hpp"

#include "Registry.hpp"
#include "Text.hpp"

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

std::string Reason(DWORD code) { return boost::system::error_code(static_cast<int>(code), boost::system::system_category()).message(); }

ScopedRegistryValue::ScopedRegistryValue(const std::string& keyPath, std::string name, REGSAM view) : name(std::move(name)), view(view)
{
    const Utilities::Registry::Key key(keyPath);
    root = key.GetRootHandle();
    subKey = key.GetSubKeyPath();
    Utilities::ScopedRegistryKey handle;
    keyExisted = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE | view, handle.Receive()) == ERROR_SUCCESS;
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

Utilities::ScopedRegistryKey ScopedRegistryValue::Create() const
{
    Utilities::ScopedRegistryKey key;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, key.Receive(), nullptr))
        << subKey;
    return key;
}

void ScopedRegistryValue::SetString(const std::string& text, DWORD type)
{
    const std::wstring wide = Utilities::WideFromUtf8(text);
    const auto size = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(Create().Get(), Utilities::WideFromUtf8(name).c_str(), 0, type,
                                            reinterpret_cast<const BYTE*>(wide.c_str()), size))
        << subKey << "\\" << name;
}

void ScopedRegistryValue::SetRaw(DWORD type, const std::string& bytes)
{
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(Create().Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                            static_cast<DWORD>(bytes.size())))
        << subKey << "\\" << name;
}

void ScopedRegistryValue::Delete()
{
    Utilities::ScopedRegistryKey key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_SET_VALUE | view, key.Receive()) == ERROR_SUCCESS) {
        RegDeleteValueA(key.Get(), name.c_str());
    }
}

void ScopedRegistryValue::DeleteKey() { view == 0 ? void(SHDeleteKeyA(root, subKey.c_str())) : void(RegDeleteKeyExA(root, subKey.c_str(), view, 0)); }

std::string HostFile(const std::string& linuxPath)
{
    std::string windowsPath = "Z:" + linuxPath;
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    return windowsPath;
}

} // namespace TestSupport
