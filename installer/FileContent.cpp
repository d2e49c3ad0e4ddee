#include "FileContent.hpp"

#include "Handles.hpp"

#include <boost/system/error_code.hpp>

#include <algorithm>
#include <stdexcept>

namespace fs = boost::filesystem;

namespace Utilities {

namespace {

constexpr DWORD ChunkSize = 1 << 20;

[[noreturn]] void ThrowSystemError(DWORD code = GetLastError())
{
    throw std::runtime_error(boost::system::error_code(static_cast<int>(code), boost::system::system_category()).message());
}

std::wstring NativeName(const fs::path& file)
{
    fs::path native = file;
    return native.make_preferred().wstring();
}

void WriteAll(const std::wstring& name, const std::string& bytes)
{
    ScopedHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) {
        ThrowSystemError();
    }
    for (std::string::size_type done = 0; done < bytes.size();) {
        const DWORD size = static_cast<DWORD>(std::min<std::string::size_type>(bytes.size() - done, ChunkSize));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, size, &written, nullptr) || written != size) {
            ThrowSystemError();
        }
        done += written;
    }
    if (!FlushFileBuffers(file.Get()) || !file.Close()) {
        ThrowSystemError();
    }
}

// A uniquely named file in a folder, deleted again unless it was moved away.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder)
    {
        wchar_t buffer[MAX_PATH];
        if (GetTempFileNameW(folder.c_str(), L"xml", 0, buffer) == 0) {
            ThrowSystemError();
        }
        name = buffer;
    }
    ~TemporaryFile() { DeleteFileW(name.c_str()); } // after a move the name is empty
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::wstring& Name() const { return name; }
    void MoveTo(const std::wstring& target)
    {
        if (!MoveFileExW(name.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            ThrowSystemError();
        }
        name.clear();
    }

private:
    std::wstring name;
};

// The attributes of a file that may be replaced, INVALID_FILE_ATTRIBUTES for
// one that is not there. Windows replaces only a file it may write and
// delete and that nobody holds open; asking first gives the reason, and
// keeps Wine, whose replacing is less strict, to the same rule.
DWORD AttributesOfReplaceable(const std::wstring& name)
{
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) {
            ThrowSystemError();
        }
        return attributes;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        ThrowSystemError(ERROR_ACCESS_DENIED);
    }
    const ScopedHandle probe(
        CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) {
        ThrowSystemError();
    }
    return attributes;
}

} // namespace

void ReadFileBytes(const fs::path& file, std::string& bytes)
{
    bytes.clear();
    const ScopedHandle handle(CreateFileW(NativeName(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return;
        }
        ThrowSystemError(error);
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(handle.Get(), &size)) {
        ThrowSystemError();
    }
    bytes.resize(static_cast<std::string::size_type>(size.QuadPart));
    for (std::string::size_type done = 0; done < bytes.size();) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::string::size_type>(bytes.size() - done, ChunkSize));
        DWORD read = 0;
        if (!ReadFile(handle.Get(), &bytes[done], wanted, &read, nullptr)) {
            ThrowSystemError();
        }
        if (read == 0) {
            bytes.resize(done); // the file became shorter
        }
        done += read;
    }
}

void ReplaceFileBytes(const fs::path& file, const std::string& bytes)
{
    const std::wstring name = NativeName(file);
    const DWORD attributes = AttributesOfReplaceable(name);
    TemporaryFile temporary(NativeName(file.parent_path().empty() ? fs::path(".") : file.parent_path()));
    WriteAll(temporary.Name(), bytes);
    if (attributes != INVALID_FILE_ATTRIBUTES && !SetFileAttributesW(temporary.Name().c_str(), attributes)) {
        ThrowSystemError();
    }
    temporary.MoveTo(name);
}

} // namespace Utilities
