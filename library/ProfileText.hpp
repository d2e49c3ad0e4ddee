#pragma once
// How a private-profile read is sized and cut; no Win32 here.
#include <cstdint>
#include <string>

namespace ProfileText {

// The number of characters the system keeps free at the end of a full
// buffer: one for a value, two for a list of names.
enum class Mode : std::uint32_t { Value = 1, List = 2 };

constexpr std::size_t InitialBufferSize = 256;

// A list when the section or the key is empty.
Mode ModeFor(const std::string& section, const std::string& key);
// Whether a read that returned count characters into size fitted whole.
bool IsComplete(std::uint32_t count, std::uint32_t size, Mode mode);
// A value up to its NUL; a list up to the NUL that ends it, each name
// keeping its own NUL.
std::string Result(const std::string& buffer, Mode mode);

} // namespace ProfileText
