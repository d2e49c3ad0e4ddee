#include "Environment.hpp"
#include "Functions.hpp"

extern "C" void MM_InitWrapper(const void* environment, std::uint32_t size)
{
    SetHostEnvironment(environment, size);
    for (std::size_t index = 0; index < ScriptFunctionCount; ++index) {
        const HostEnvironment& host = GetHostEnvironment();
        if (host.defineFunction == nullptr) {
            return;
        }
        const ScriptFunction& entry = ScriptFunctions[index];
        host.defineFunction(host.libraryObject, entry.name, entry.function, entry.argumentCount);
    }
}
