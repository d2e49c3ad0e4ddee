#pragma once
// The library's copy of the host's environment, and the conversions between
// script values and C++ values that go through it.
#include "HostInterface.hpp"

#include <cstdint>
#include <string>

// Copies whole entries only, never past environment + size; a null
// environment copies nothing. Entries not copied become null.
void CopyHostEnvironment(const void* environment, std::size_t size, HostEnvironment& table);

const HostEnvironment& GetHostEnvironment();
void SetHostEnvironment(const void* environment, std::size_t size);

// The empty text when the host offers no conversion.
std::string ArgumentText(void* context, ScriptValue value);
// 0 when the host offers no conversion.
std::int32_t ArgumentInteger(void* context, ScriptValue value);
// Leaves the slot alone when the host offers no conversion.
void StoreText(void* context, const std::string& text, ScriptValue* result);
