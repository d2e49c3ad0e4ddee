#pragma once
// Path helpers shared by both deliverables.
#include <boost/filesystem/path.hpp>

#include <string>

namespace Utilities {

// Whether anything exists at the path. Only the system's "not there" answers
// (file or path not found, device not ready, bad network path, invalid
// parameter, invalid name) count as absent; any other failure to read the
// attributes counts as present. Never throws.
bool Exists(const boost::filesystem::path& path);
// The same answer where it is certain; throws std::runtime_error with the
// system's reason where the attributes cannot be read.
bool ExistsOrThrow(const boost::filesystem::path& path);

// The system's own text for an error code, in UTF-8.
std::string SystemErrorText(unsigned long code);

// The path with backslashes, as Windows users write it, in UTF-8.
std::string NativeText(const boost::filesystem::path& path);

// A path from a registry or user text, without trailing separators (a root
// such as "C:\" keeps its own), so that its last element is its own name.
// Throws std::invalid_argument for a name Windows does not allow (such as
// one holding "<", "|" or a second ":").
boost::filesystem::path MakePath(const std::wstring& text);

} // namespace Utilities
