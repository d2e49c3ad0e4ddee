#include "ScopedRegistry.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace TestSupport {

namespace {

struct OpenedKey {
    HKEY handle = nullptr;
    ~OpenedKey()
    {
        if (handle != nullptr) {
            RegCloseKey(handle);
        }
    }
};

} // namespace

ScopedRegistryValue::ScopedRegistryValue(HKEY root, std::string subKey, std::string name)
    : root(root), subKey(std::move(subKey)), name(std::move(name))
{
    OpenedKey key;
    keyExisted = RegOpenKeyExA(root, this->subKey.c_str(), 0, KEY_QUERY_VALUE, &key.handle) == ERROR_SUCCESS;
    DWORD size = 0;
    if (keyExisted && RegQueryValueExA(key.handle, this->name.c_str(), nullptr, &oldType, nullptr, &size) ==
                          ERROR_SUCCESS) {
        std::vector<char> data(size + 1);
        valueExisted = RegQueryValueExA(key.handle, this->name.c_str(), nullptr, &oldType,
                                        reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS;
        oldData.assign(data.data(), size);
    }
}

ScopedRegistryValue::~ScopedRegistryValue()
{
    if (!keyExisted) {
        RegDeleteTreeA(root, subKey.c_str());
        RegDeleteKeyA(root, subKey.c_str());
    } else if (valueExisted) {
        SetRaw(oldType, oldData);
    } else {
        Delete();
    }
}

void ScopedRegistryValue::SetString(const std::string& text, DWORD type)
{
    SetRaw(type, std::string(text.c_str(), text.size() + 1));
}

void ScopedRegistryValue::SetDword(std::uint32_t number)
{
    SetRaw(REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number));
}

void ScopedRegistryValue::SetRaw(DWORD type, const std::string& bytes)
{
    OpenedKey key;
    ASSERT_EQ(RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key.handle, nullptr),
              ERROR_SUCCESS)
        << subKey;
    ASSERT_EQ(RegSetValueExA(key.handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS)
        << subKey << "\\" << name;
}

void ScopedRegistryValue::Delete()
{
    OpenedKey key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_SET_VALUE, &key.handle) == ERROR_SUCCESS) {
        RegDeleteValueA(key.handle, name.c_str());
    }
}

void DeleteRegistryTree(HKEY root, const std::string& subKey)
{
    RegDeleteTreeA(root, subKey.c_str());
    RegDeleteKeyA(root, subKey.c_str());
}

} // namespace TestSupport
