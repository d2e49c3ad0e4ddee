#include "Registry.hpp"

#include "Handles.hpp"

#include <algorithm>
#include <stdexcept>

namespace Utilities::Registry {

const char* const LocalMachine = "HKEY_LOCAL_MACHINE";
const char* const CurrentUser = "HKEY_CURRENT_USER";

namespace {

bool IsStringType(std::uint32_t type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

ScopedRegistryKey OpenKey(const Key& key, REGSAM access)
{
    ScopedRegistryKey handle;
    const HKEY root = key.GetRootHandle();
    if (root != nullptr) {
        RegOpenKeyExA(root, key.GetSubKeyPath().c_str(), 0, access, handle.Receive());
    }
    return handle;
}

// Reads the raw data into a buffer one byte longer than the stored data, so
// that data stored without a terminating NUL, or with no bytes at all, is
// never read past. Returns false on any failure.
bool QueryData(HKEY key, const std::string& name, std::string& data, DWORD& type)
{
    for (;;) {
        DWORD size = 0;
        if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
            return false;
        }
        std::vector<char> buffer(size + 1, '\0');
        const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result == ERROR_MORE_DATA) {
            continue; // the value grew between the two queries
        }
        if (result != ERROR_SUCCESS) {
            return false;
        }
        data.assign(buffer.data(), size);
        return true;
    }
}

} // namespace

Key::Key(const std::string& path) : components(SplitKeyPath(path)) {}

std::string Key::Join(int first, int last) const { return JoinKeyPath(components, first, last); }
std::string Key::GetRootName() const { return Join(0, 1); }
std::string Key::GetPath() const { return Join(0, 0); }
std::string Key::GetSubKeyPath() const { return Join(1, 0); }

void Key::SetRootName(const std::string& name)
{
    if (components.empty()) {
        components.push_back(name);
    } else {
        components[0] = name;
    }
}

HKEY Key::GetRootHandle() const
{
    switch (FindRoot(GetRootName())) {
    case Root::ClassesRoot: return HKEY_CLASSES_ROOT;
    case Root::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case Root::CurrentUser: return HKEY_CURRENT_USER;
    case Root::DynData: return HKEY_DYN_DATA;
    case Root::LocalMachine: return HKEY_LOCAL_MACHINE;
    case Root::Users: return HKEY_USERS;
    case Root::None: break;
    }
    return nullptr;
}

bool Key::Exists() const { return OpenKey(*this, READ_CONTROL).IsValid(); }

Value::Value(const Key& key, std::string name) : key(key), name(std::move(name)) {}

bool Value::Exists() const
{
    const ScopedRegistryKey handle = OpenKey(key, KEY_QUERY_VALUE);
    return handle && RegQueryValueExA(handle.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                         ERROR_SUCCESS;
}

void Value::Read(std::string& data, std::uint32_t& type) const
{
    ScopedRegistryKey handle = OpenKey(key, KEY_QUERY_VALUE);
    DWORD queriedType = 0;
    bool succeeded = handle && QueryData(handle.Get(), name, data, queriedType);
    succeeded = handle.Close() && succeeded;
    if (!succeeded) {
        throw std::runtime_error("Cannot get value \"" + GetFullName() + "\"");
    }
    type = queriedType;
    if (IsStringType(type)) {
        data.erase(std::min(data.find('\0'), data.size()));
    }
}

std::string Value::GetString() const
{
    std::string data;
    std::uint32_t type = 0;
    Read(data, type);
    if (!IsStringType(type)) {
        throw std::invalid_argument("Incompatible value type of \"" + GetFullName() + "\"");
    }
    return data;
}

std::string Value::GetFullName() const
{
    const std::string path = key.GetPath();
    return path.empty() ? name : path + "\\" + name;
}

} // namespace Utilities::Registry
