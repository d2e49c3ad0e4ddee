#pragma once
// Registry values that a test sets for its own duration: whatever was there
// before (or its absence) comes back when the object goes out of scope.
#include <windows.h>

#include <cstdint>
#include <string>

namespace TestSupport {

class ScopedRegistryValue {
public:
    ScopedRegistryValue(HKEY root, std::string subKey, std::string name);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

    void SetString(const std::string& text, DWORD type = REG_SZ);
    void SetDword(std::uint32_t number);
    // Stores exactly these bytes, with no terminator added.
    void SetRaw(DWORD type, const std::string& bytes);
    void Delete();

private:
    HKEY root;
    std::string subKey;
    std::string name;
    bool keyExisted;
    bool valueExisted = false;
    DWORD oldType = 0;
    std::string oldData;
};

// Removes a key with everything below it, if it exists, for the duration of
// a test, restoring nothing: for keys that only tests create.
void DeleteRegistryTree(HKEY root, const std::string& subKey);

} // namespace TestSupport
