#pragma once
// Holds a file open with a share mode that denies every other access, so
// that it can be neither read, written, replaced nor deleted meanwhile.
// (Tests run as root under Wine, where file attributes stop nothing.)
#include <windows.h>

#include <boost/filesystem/path.hpp>

namespace TestSupport {

class LockedFile {
public:
    explicit LockedFile(const boost::filesystem::path& file)
        : handle(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~LockedFile()
    {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool IsLocked() const { return handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};

} // namespace TestSupport
