#include "TempFolder.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace fs = boost::filesystem;

namespace TestSupport {

TempFolder::TempFolder() : path(fs::temp_directory_path() / fs::unique_path("vnl-test-%%%%-%%%%-%%%%"))
{
    fs::create_directories(path);
}

TempFolder::~TempFolder()
{
    boost::system::error_code ignored;
    fs::remove_all(path, ignored);
}

void WriteFile(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream stream(file.c_str(), std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(stream.good()) << "cannot write " << file;
}

std::string ReadFile(const fs::path& file)
{
    std::ifstream stream(file.c_str(), std::ios::binary);
    EXPECT_TRUE(stream.is_open()) << "cannot read " << file;
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

} // namespace TestSupport
