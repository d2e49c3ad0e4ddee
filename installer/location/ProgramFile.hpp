#pragma once
// What a program file says of itself.
#include <boost/filesystem/path.hpp>

#include <utility>

namespace Installer {

// The major and minor file version of a program's version resource; (0, 0)
// when the program is not there, has none or it cannot be read.
std::pair<unsigned, unsigned> ReadProgramVersion(const boost::filesystem::path& program);

// 32 or 64, as the program's header says it was built; 0 when the file is not
// there, is no Windows program or cannot be read.
int ReadProgramBits(const boost::filesystem::path& program);

} // namespace Installer
