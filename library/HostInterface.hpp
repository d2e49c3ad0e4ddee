#pragma once
// What the library uses of the host application's native-function interface:
// the environment table handed to MM_InitWrapper, the tagged script value and
// the form of a native function. Every function pointer uses the default C
// calling convention.
#include <cstddef>
#include <cstdint>

// One 32-bit tagged script value.
using ScriptValue = std::uint32_t;

constexpr ScriptValue ScriptTrue = 14;
constexpr ScriptValue ScriptFalse = 6;

constexpr ScriptValue ScriptBoolean(bool value) { return value ? ScriptTrue : ScriptFalse; }

// An integer n is n * 2 + 1 in 32 bits; only -2^30 to 2^30 - 1 survive.
constexpr ScriptValue ScriptInteger(std::int32_t value)
{
    return (static_cast<ScriptValue>(value) << 1) | 1u;
}

// (context, object, argument count, arguments, result slot) -> 1 success, 0 failure.
using NativeFunction = int (*)(void* context, void* object, std::uint32_t argumentCount,
                               ScriptValue* arguments, ScriptValue* result);

// Entry 1: (library object, script name, function, argument count).
using DefineFunctionEntry = int (*)(void* libraryObject, const char* name, NativeFunction function,
                                    std::uint32_t argumentCount);
// Entry 2: NUL-terminated text valid during the call; the length is not read.
using ValueToStringEntry = char* (*)(void* context, ScriptValue value, std::uint32_t* length);
// Entry 3: stores the integer through the pointer.
using ValueToIntegerEntry = int (*)(void* context, ScriptValue value, std::int32_t* integer);
// Entry 7: text (length 0: NUL-terminated) to a script string in the slot.
using StringToValueEntry = int (*)(void* context, const char* text, std::uint32_t length, ScriptValue* result);

constexpr std::size_t HostEnvironmentEntries = 27;

// The host's table of pointer-sized entries, laid out as the host passes it.
struct HostEnvironment {
    void* libraryObject;                 // 0, opaque, never called
    DefineFunctionEntry defineFunction;  // 1
    ValueToStringEntry valueToString;    // 2
    ValueToIntegerEntry valueToInteger;  // 3
    void* unused4to6[3];
    StringToValueEntry stringToValue;    // 7
    void* unused8to26[19];
};

static_assert(sizeof(HostEnvironment) == HostEnvironmentEntries * sizeof(void*),
              "the environment is a table of 27 pointer-sized entries");

// The one export: copies the table and registers the script functions.
extern "C" void MM_InitWrapper(const void* environment, std::uint32_t size);
