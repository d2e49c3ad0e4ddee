#pragma once
// The script functions the library registers with the host, in order.
#include "HostInterface.hpp"

#include <cstddef>
#include <cstdint>

struct ScriptFunction {
    const char* name;
    NativeFunction function;
    std::uint32_t argumentCount;
};

extern const ScriptFunction ScriptFunctions[];
extern const std::size_t ScriptFunctionCount;
