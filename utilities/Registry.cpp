#include "Registry.hpp"

#include "Handles.hpp"
#include "Paths.hpp"
#include "Text.hpp"

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

// ERROR_FILE_NOT_FOUND for a root name that is not known, as for a key that
// is not there.
LONG OpenKey(const Key& key, REGSAM access, ScopedRegistryKey& handle)
{
    const HKEY root = key.GetRootHandle();
    return root == nullptr ? ERROR_FILE_NOT_FOUND
                           : RegOpenKeyExA(root, key.GetSubKeyPath().c_str(), 0, access | key.GetViewAccess(), handle.Receive());
}

LONG Query(HKEY key, const std::string& name, DWORD* type, BYTE* data, DWORD* size)
{
    return RegQueryValueExA(key, name.c_str(), nullptr, type, data, size);
}

LONG Query(HKEY key, const std::wstring& name, DWORD* type, BYTE* data, DWORD* size)
{
    return RegQueryValueExW(key, name.c_str(), nullptr, type, data, size);
}

// Reads the raw data into a buffer longer than the stored data, so that data
// stored without a terminating NUL, or with no bytes at all, is never read
// past.
template <class Char>
LONG QueryData(HKEY key, const std::basic_string<Char>& name, std::basic_string<Char>& data, DWORD& type)
{
    for (;;) {
        DWORD size = 0;
        LONG result = Query(key, name, nullptr, nullptr, &size);
        if (result != ERROR_SUCCESS) {
            return result;
        }
        std::vector<Char> buffer(size / sizeof(Char) + 2, Char());
        result = Query(key, name, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result != ERROR_MORE_DATA) { // which means the value grew between the two queries
            data.assign(buffer.data(), result == ERROR_SUCCESS ? size / sizeof(Char) : 0);
            return result;
        }
    }
}

std::basic_string<char> NameAs(const std::string& name, char) { return name; }
std::basic_string<wchar_t> NameAs(const std::string& name, wchar_t) { return WideFromUtf8(name); }

} // namespace

Key::Key(const std::string& path, View view) : components(SplitKeyPath(path)), view(view) {}

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

REGSAM Key::GetViewAccess() const { return view == View::SixtyFourBit ? KEY_WOW64_64KEY : 0; }

bool Key::Exists() const
{
    ScopedRegistryKey handle;
    return OpenKey(*this, READ_CONTROL, handle) == ERROR_SUCCESS;
}

Value::Value(const Key& key, std::string name) : key(key), name(std::move(name)) {}

// Only an answer that the key or value is not there means that it does not
// exist: any other failure is reported, or an entry that is there but could
// not be read would be taken for a missing one.
bool Value::Exists() const
{
    ScopedRegistryKey handle;
    LONG result = OpenKey(key, KEY_QUERY_VALUE, handle);
    if (result == ERROR_SUCCESS) {
        result = RegQueryValueExA(handle.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr);
    }
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
        Fail(result);
    }
    return result == ERROR_SUCCESS;
}

void Value::Read(std::string& data, std::uint32_t& type) const { ReadAs(data, type); }

template <class Char>
void Value::ReadAs(std::basic_string<Char>& data, std::uint32_t& type) const
{
    ScopedRegistryKey handle;
    DWORD queriedType = 0;
    LONG result = OpenKey(key, KEY_QUERY_VALUE, handle);
    if (result == ERROR_SUCCESS) {
        result = QueryData(handle.Get(), NameAs(name, Char()), data, queriedType);
    }
    if (handle) { // a failure to close counts as a failure of the read
        const LONG closed = RegCloseKey(handle.Release());
        result = result == ERROR_SUCCESS ? closed : result;
    }
    if (result != ERROR_SUCCESS) {
        Fail(result);
    }
    type = queriedType;
    if (IsStringType(type)) {
        data.erase(std::min(data.find(Char()), data.size()));
    }
}

void Value::Fail(long result) const
{
    const std::string text = "Cannot get value \"" + GetFullName() + "\"";
    throw std::runtime_error(result == ERROR_FILE_NOT_FOUND ? text : text + " (" + SystemErrorText(result) + ")");
}

template <class Char>
std::basic_string<Char> Value::GetStringAs() const
{
    std::basic_string<Char> data;
    std::uint32_t type = 0;
    ReadAs(data, type);
    if (!IsStringType(type)) {
        throw std::invalid_argument("Incompatible value type of \"" + GetFullName() + "\"");
    }
    return data;
}

std::string Value::GetString() const { return GetStringAs<char>(); }

std::wstring Value::GetWideString() const { return GetStringAs<wchar_t>(); }

std::string Value::GetFullName() const
{
    const std::string path = key.GetPath();
    return path.empty() ? name : path + "\\" + name;
}

} // namespace Utilities::Registry
