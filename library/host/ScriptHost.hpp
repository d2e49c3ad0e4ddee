#pragma once
// A minimal host for Loomlet.dll: loads it, hands it an environment table
// with the five entries it uses and keeps the script strings it makes.
#include "HostInterface.hpp"

#include "Handles.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ScriptHost {
public:
    struct Registration {
        std::string name;
        NativeFunction function;
        std::uint32_t argumentCount;
    };
    struct CallResult {
        int returned;
        ScriptValue result;
    };
    // Entry indices the library uses.
    enum Entry { LibraryObject = 0, DefineFunction = 1, ValueToString = 2, ValueToInteger = 3, StringToValue = 7 };

    // What the result slot holds before a call; no function writes it.
    static constexpr ScriptValue Unset = 0;
    static constexpr std::size_t FullSize = HostEnvironmentEntries * sizeof(void*);

    // Throws std::runtime_error when the library or its export is missing.
    explicit ScriptHost(const std::string& libraryPath);

    // Hands the library a table of size bytes that ends right before memory
    // that cannot be read.
    void Initialize(std::size_t size);

    const std::vector<Registration>& Registrations() const { return registrations; }
    // Calls a registered function with as many arguments as given.
    CallResult Call(const std::string& name, const std::vector<ScriptValue>& arguments);

    ScriptValue Text(const std::string& text);
    static ScriptValue Integer(std::int32_t value) { return ScriptInteger(value); }
    bool IsText(ScriptValue value) const;
    std::string TextOf(ScriptValue value) const;
    static std::int32_t IntegerOf(ScriptValue value);
    // How a script would print the value; "(unset)" for Unset.
    std::string Describe(ScriptValue value) const;
    // How often the library called an entry since the last Initialize.
    int Calls(Entry entry) const { return calls[entry]; }

private:
    static int OnDefineFunction(void* libraryObject, const char* name, NativeFunction function,
                                std::uint32_t argumentCount);
    static char* OnValueToString(void* context, ScriptValue value, std::uint32_t* length);
    static int OnValueToInteger(void* context, ScriptValue value, std::int32_t* integer);
    static int OnStringToValue(void* context, const char* text, std::uint32_t length, ScriptValue* result);
    void* EntryValue(std::size_t index) const;

    Utilities::ScopedModule library;
    void (*initWrapper)(const void*, std::uint32_t) = nullptr;
    std::vector<Registration> registrations;
    std::vector<std::string> strings;
    std::string scratch;
    std::array<int, HostEnvironmentEntries> calls{};
};
