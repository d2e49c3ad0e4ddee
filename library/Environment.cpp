#include "Environment.hpp"

#include <algorithm>
#include <cstring>

namespace {

HostEnvironment hostEnvironment = {};

} // namespace

void CopyHostEnvironment(const void* environment, std::size_t size, HostEnvironment& table)
{
    table = HostEnvironment{};
    if (environment == nullptr) {
        return;
    }
    const std::size_t entries = std::min(size / sizeof(void*), HostEnvironmentEntries);
    // Byte copies: the host's table need not be aligned.
    std::memcpy(&table, environment, entries * sizeof(void*));
}

const HostEnvironment& GetHostEnvironment() { return hostEnvironment; }

void SetHostEnvironment(const void* environment, std::size_t size)
{
    CopyHostEnvironment(environment, size, hostEnvironment);
}

std::string ArgumentText(void* context, ScriptValue value)
{
    const ValueToStringEntry convert = hostEnvironment.valueToString;
    if (convert == nullptr) {
        return {};
    }
    std::uint32_t length = 0;
    const char* text = convert(context, value, &length);
    return text != nullptr ? std::string(text) : std::string();
}

std::int32_t ArgumentInteger(void* context, ScriptValue value)
{
    std::int32_t integer = 0;
    if (const ValueToIntegerEntry convert = hostEnvironment.valueToInteger) {
        convert(context, value, &integer);
    }
    return integer;
}

void StoreText(void* context, const std::string& text, ScriptValue* result)
{
    if (const StringToValueEntry convert = hostEnvironment.stringToValue) {
        convert(context, text.c_str(), 0, result);
    }
}
