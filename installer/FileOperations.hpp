#pragma once
#include <boost/filesystem/path.hpp>

namespace Installer {

// Puts a copy of source at target, creating missing folders and replacing
// what was there; verifies the copy's size. Throws Installer::Exception.
void Copy(const boost::filesystem::path& source, const boost::filesystem::path& target);

// Removes the path with everything below it; a path that does not exist is
// no error. Throws Installer::Exception.
void Remove(const boost::filesystem::path& path);

} // namespace Installer
