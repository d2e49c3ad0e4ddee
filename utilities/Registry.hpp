#pragma once
// Read-only access to registry values named by one-string key paths.
// Failures to read are exceptions whose text names the value in full.
#include "KeyPath.hpp"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Utilities::Registry {

extern const char* const LocalMachine;
extern const char* const CurrentUser;

// Which of the registry's views a key is read in, on 64-bit Windows: the
// program's own (a 32-bit program's is the 32-bit one), or the 64-bit one.
// 32-bit Windows has one view only.
enum class View { Own, SixtyFourBit };

class Key {
public:
    explicit Key(const std::string& path, View view = View::Own);

    std::string Join(int first, int last) const;
    std::string GetRootName() const;
    std::string GetPath() const;
    std::string GetSubKeyPath() const;
    void SetRootName(const std::string& name);

    // The predefined handle of the root name; null for a name not known.
    HKEY GetRootHandle() const;
    // The access flag that selects the key's view.
    REGSAM GetViewAccess() const;
    bool Exists() const;

private:
    std::vector<std::string> components;
    View view;
};

class Value {
public:
    // The key is referred to, not copied: it must outlive the value.
    Value(const Key& key, std::string name);
    Value(Key&&, std::string) = delete;

    // Throws std::runtime_error when the registry cannot tell.
    bool Exists() const;
    // Raw data and type code; throws std::runtime_error on any failure.
    void Read(std::string& data, std::uint32_t& type) const;
    // String types only (REG_SZ unexpanded, REG_EXPAND_SZ, first string of
    // REG_MULTI_SZ); throws std::invalid_argument for any other type.
    std::string GetString() const;
    // The same, read with the system's wide functions: whole even where the
    // ANSI code page lacks characters of it.
    std::wstring GetWideString() const;
    std::string GetFullName() const;

private:
    template <class Char>
    void ReadAs(std::basic_string<Char>& data, std::uint32_t& type) const;
    template <class Char>
    std::basic_string<Char> GetStringAs() const;
    // Throws the failure to read the value, with the system's reason unless
    // the value or its key is simply not there.
    [[noreturn]] void Fail(long result) const;

    const Key& key;
    std::string name;
};

} // namespace Utilities::Registry
