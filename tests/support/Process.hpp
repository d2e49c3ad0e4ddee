#pragma once
#include <boost/filesystem/path.hpp>

#include <string>

namespace TestSupport {

// The Windows name of a file of the Linux machine the tests run on (Wine's
// drive Z: is the Linux root).
boost::filesystem::path HostFile(const std::string& linuxPath);

// Starts a program and waits for it; returns its exit code, or -1 when it
// could not be started or did not end within the time-out.
long RunProgram(const boost::filesystem::path& program, const std::string& arguments,
                const boost::filesystem::path& currentFolder, unsigned timeoutMs = 60000);

} // namespace TestSupport
