#pragma once
// Holds a file open the way another program would, so that the code under
// test meets a sharing violation (tests run as root, so rights stop nothing).
#include "Handles.hpp"

#include <boost/filesystem/path.hpp>
#include <gtest/gtest.h>

inline Utilities::ScopedHandle HoldOpen(const boost::filesystem::path& file, DWORD shareMode)
{
    Utilities::ScopedHandle handle(CreateFileW(file.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(handle.IsValid()) << "cannot hold " << file;
    return handle;
}
