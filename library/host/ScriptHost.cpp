#include "ScriptHost.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

// Strings are (index + 1) * 16: low bits that no integer or boolean has.
constexpr ScriptValue StringStep = 16;

bool IsInteger(ScriptValue value) { return (value & 1u) != 0; }

// Pages whose last readable byte is the table's last byte.
class GuardedMemory {
public:
    explicit GuardedMemory(std::size_t size)
    {
        SYSTEM_INFO system = {};
        GetSystemInfo(&system);
        const std::size_t page = system.dwPageSize;
        readable = (size + page - 1) / page * page;
        pages = Utilities::ScopedVirtualMemory(VirtualAlloc(nullptr, readable + page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old = 0;
        if (!pages || !VirtualProtect(End(), page, PAGE_NOACCESS, &old)) {
            throw std::runtime_error("cannot allocate the environment table");
        }
    }

    char* End() const { return static_cast<char*>(pages.Get()) + readable; }

private:
    Utilities::ScopedVirtualMemory pages;
    std::size_t readable = 0;
};

} // namespace

ScriptHost::ScriptHost(const std::string& libraryPath) : library(LoadLibraryA(libraryPath.c_str()))
{
    if (!library) {
        throw std::runtime_error("cannot load " + libraryPath);
    }
    initWrapper = reinterpret_cast<void (*)(const void*, std::uint32_t)>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "MM_InitWrapper")));
    if (initWrapper == nullptr) {
        throw std::runtime_error("no MM_InitWrapper in " + libraryPath);
    }
}

void* ScriptHost::EntryValue(std::size_t index) const
{
    switch (index) {
    case LibraryObject:
        return const_cast<ScriptHost*>(this);
    case DefineFunction:
        return reinterpret_cast<void*>(&OnDefineFunction);
    case ValueToString:
        return reinterpret_cast<void*>(&OnValueToString);
    case ValueToInteger:
        return reinterpret_cast<void*>(&OnValueToInteger);
    case StringToValue:
        return reinterpret_cast<void*>(&OnStringToValue);
    default:
        // Entries the library must never call: a call faults at once.
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0xBAD00000u + index));
    }
}

void ScriptHost::Initialize(std::size_t size)
{
    registrations.clear();
    calls.fill(0);
    const std::size_t entries = (size + sizeof(void*) - 1) / sizeof(void*);
    std::vector<void*> table(entries);
    for (std::size_t index = 0; index < entries; ++index) {
        table[index] = EntryValue(index);
    }
    GuardedMemory memory(size);
    char* start = memory.End() - size;
    std::memcpy(start, table.data(), size);
    initWrapper(start, static_cast<std::uint32_t>(size));
}

ScriptHost::CallResult ScriptHost::Call(const std::string& name, const std::vector<ScriptValue>& arguments)
{
    const auto found = std::find_if(registrations.begin(), registrations.end(),
                                    [&](const Registration& entry) { return entry.name == name; });
    if (found == registrations.end()) {
        throw std::runtime_error("no function " + name + " was registered");
    }
    std::vector<ScriptValue> values = arguments;
    CallResult call{0, Unset};
    call.returned = found->function(this, nullptr, static_cast<std::uint32_t>(values.size()), values.data(),
                                    &call.result);
    return call;
}

ScriptValue ScriptHost::Text(const std::string& text)
{
    strings.push_back(text);
    return static_cast<ScriptValue>(strings.size()) * StringStep;
}

bool ScriptHost::IsText(ScriptValue value) const
{
    return value != Unset && value % StringStep == 0 && value / StringStep <= strings.size();
}

std::string ScriptHost::TextOf(ScriptValue value) const
{
    if (IsText(value)) {
        return strings[value / StringStep - 1];
    }
    if (IsInteger(value)) {
        return std::to_string(IntegerOf(value));
    }
    if (value == ScriptTrue || value == ScriptFalse) {
        return value == ScriptTrue ? "true" : "false";
    }
    return "undefined";
}

std::int32_t ScriptHost::IntegerOf(ScriptValue value) { return static_cast<std::int32_t>(value) >> 1; }

std::string ScriptHost::Describe(ScriptValue value) const
{
    if (value == Unset) {
        return "(unset)";
    }
    return IsText(value) ? "\"" + TextOf(value) + "\"" : TextOf(value);
}

int ScriptHost::OnDefineFunction(void* libraryObject, const char* name, NativeFunction function,
                                 std::uint32_t argumentCount)
{
    auto& host = *static_cast<ScriptHost*>(libraryObject);
    ++host.calls[DefineFunction];
    host.registrations.push_back({name, function, argumentCount});
    return 1;
}

char* ScriptHost::OnValueToString(void* context, ScriptValue value, std::uint32_t* length)
{
    auto& host = *static_cast<ScriptHost*>(context);
    ++host.calls[ValueToString];
    host.scratch = host.TextOf(value);
    *length = static_cast<std::uint32_t>(host.scratch.size());
    return host.scratch.data();
}

int ScriptHost::OnValueToInteger(void* context, ScriptValue value, std::int32_t* integer)
{
    auto& host = *static_cast<ScriptHost*>(context);
    ++host.calls[ValueToInteger];
    if (IsInteger(value)) {
        *integer = IntegerOf(value);
    } else if (host.IsText(value)) {
        *integer = static_cast<std::int32_t>(std::strtol(host.TextOf(value).c_str(), nullptr, 10));
    } else {
        *integer = value == ScriptTrue ? 1 : 0;
    }
    return 1;
}

int ScriptHost::OnStringToValue(void* context, const char* text, std::uint32_t length, ScriptValue* result)
{
    auto& host = *static_cast<ScriptHost*>(context);
    ++host.calls[StringToValue];
    *result = host.Text(length == 0 ? std::string(text) : std::string(text, length));
    return 1;
}
