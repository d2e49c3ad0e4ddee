#pragma once
// Whole-file reads and writes in binary, for files that are edited as text.
#include <boost/filesystem/path.hpp>

#include <string>

namespace Utilities {

enum class ReadResult { Read, Missing, Failed };

// All of the file's bytes, unchanged. Missing when the file is not there;
// Failed when it is there but cannot be read whole (bytes are then empty).
ReadResult ReadFileBytes(const boost::filesystem::path& file, std::string& bytes);

// Gives the file exactly these bytes, keeping its attributes, or creates it.
// The bytes go to a temporary file in the same folder that then replaces
// the file, so a failure at any point leaves the file as it was and no
// temporary file behind. False on failure; a read-only file is not replaced.
bool ReplaceFileBytes(const boost::filesystem::path& file, const std::string& bytes);

} // namespace Utilities
