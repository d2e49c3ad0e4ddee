#pragma once
// Whole-file reads and writes in binary, for files that are edited as text.
// Failures throw std::runtime_error with the system's own reason.
#include <boost/filesystem/path.hpp>

#include <string>

namespace Utilities {

// All of the file's bytes, unchanged; none when the file is not there.
std::string ReadFileBytes(const boost::filesystem::path& file);

// Gives the file exactly these bytes, or creates it. The bytes go to a
// temporary file in the same folder that then replaces the file, which
// passes its attributes, security and streams on; a failure at any point
// leaves the file as it was and no temporary file behind.
void ReplaceFileBytes(const boost::filesystem::path& file, const std::string& bytes);

// Throws what ReplaceFileBytes would throw for the file as it is now, before
// it writes anything: the file is read-only, or another program holds it
// longer than briefly. A file that is not there passes.
void CheckReplaceable(const boost::filesystem::path& file);

} // namespace Utilities
