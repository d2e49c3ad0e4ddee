#pragma once
#include "Report.hpp"

#include <boost/filesystem/path.hpp>

namespace Installer {

// Copy and Remove wait out another program's brief hold on a file before
// they fail.

// Puts a copy of source at target, creating missing folders and replacing
// what was there; verifies the copy's size and reports the copy. Throws
// Installer::Exception.
void Copy(const boost::filesystem::path& source, const boost::filesystem::path& target, Report& report);

// Throws Copy's failure for a source that is not there, so that a copy
// that would fail fails before anything changes.
void CheckSource(const boost::filesystem::path& source, const boost::filesystem::path& target);

// Removes the path with everything below it and reports it; a path that does
// not exist is no error. Throws Installer::Exception.
void Remove(const boost::filesystem::path& path, Report& report);

// Whether another program holds the file so that it cannot be removed or
// replaced now: it has the file open without sharing it, runs it as a
// program or library, or keeps a delete of it pending. A brief hold is
// waited out first. Nothing there, or a
// folder, is not in use. Throws Installer::Exception with the removal
// message when the system cannot tell.
bool IsInUse(const boost::filesystem::path& file);

} // namespace Installer
