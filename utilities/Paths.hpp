#pragma once
// Path helpers shared by both deliverables.
#include <boost/filesystem/path.hpp>

#include <string>

namespace Utilities {

// Whether an error that the system gave for a path means that nothing is
// there: file or path not found, device not ready, bad network path, invalid
// parameter or invalid name. Any other failure (a delete still pending on
// Windows answers access denied) means that something may be there.
bool MeansNotThere(unsigned long error);
// What the system answers about the path's attributes: ERROR_SUCCESS when
// something is there, ERROR_FILE_NOT_FOUND for every answer that means
// nothing is, else the error.
unsigned long LookAt(const boost::filesystem::path& path);
// Whether anything exists at the path: anything but a "not there" answer
// counts as present. Never throws.
bool Exists(const boost::filesystem::path& path);
// The same answer where it is certain; throws std::runtime_error with the
// system's reason where the attributes cannot be read.
bool ExistsOrThrow(const boost::filesystem::path& path);

// The system's own text for an error code, in UTF-8.
std::string SystemErrorText(unsigned long code);
// Throws std::runtime_error with that text.
[[noreturn]] void ThrowSystemError(unsigned long code);

// The path with backslashes, as Windows users write it, in UTF-8.
std::string NativeText(const boost::filesystem::path& path);

// A path from a registry or user text, without trailing separators (a root
// such as "C:\" keeps its own), so that its last element is its own name.
// Throws std::invalid_argument for a name Windows does not allow (such as
// one holding "<", "|" or a second ":").
boost::filesystem::path MakePath(const std::wstring& text);

} // namespace Utilities
