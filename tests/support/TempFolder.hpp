#pragma once
#include <boost/filesystem/path.hpp>

#include <string>

namespace TestSupport {

// A new, empty folder below the system's temporary folder, removed with
// everything in it when the object goes out of scope.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const boost::filesystem::path& Path() const { return path; }
    boost::filesystem::path operator/(const boost::filesystem::path& relative) const { return path / relative; }

private:
    boost::filesystem::path path;
};

// Writes a file (creating its folders) with exactly these bytes.
void WriteFile(const boost::filesystem::path& file, const std::string& bytes);
// The file's bytes; fails the calling test when it cannot be read.
std::string ReadFile(const boost::filesystem::path& file);

} // namespace TestSupport
