#include "FileContent.hpp"

#include "Handles.hpp"

#include <algorithm>

namespace fs = boost::filesystem;

namespace Utilities {

namespace {

constexpr DWORD ChunkSize = 1 << 20;

std::wstring NativeName(const fs::path& file)
{
    fs::path native = file;
    return native.make_preferred().wstring();
}

bool ReadAll(HANDLE file, std::string& bytes)
{
    std::string chunk(ChunkSize, '\0');
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, &chunk[0], ChunkSize, &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        bytes.append(chunk, 0, read);
    }
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    for (std::string::size_type done = 0; done < bytes.size();) {
        const DWORD size = static_cast<DWORD>(std::min<std::string::size_type>(bytes.size() - done, ChunkSize));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, size, &written, nullptr) || written != size) {
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file) != FALSE;
}

// A uniquely named file in a folder, deleted again unless it was moved away.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder)
    {
        wchar_t buffer[MAX_PATH];
        if (GetTempFileNameW(folder.c_str(), L"xml", 0, buffer) != 0) {
            name = buffer;
        }
    }
    ~TemporaryFile()
    {
        if (!name.empty()) {
            SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(name.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool Created() const { return !name.empty(); }
    const std::wstring& Name() const { return name; }
    bool MoveTo(const std::wstring& target)
    {
        if (!MoveFileExW(name.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return false;
        }
        name.clear();
        return true;
    }

private:
    std::wstring name;
};

bool WriteNewFile(const std::wstring& name, const std::string& bytes)
{
    ScopedHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.Get(), bytes) && file.Close();
}

// Whether the file may be replaced: absent, or writable and not read-only
// and not held open by anyone who denies writing or deleting it.
bool MayReplace(const std::wstring& name, DWORD& attributes)
{
    attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    ScopedHandle probe(CreateFileW(name.c_str(), GENERIC_WRITE | DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.IsValid();
}

} // namespace

ReadResult ReadFileBytes(const fs::path& file, std::string& bytes)
{
    bytes.clear();
    ScopedHandle handle(CreateFileW(NativeName(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                               : ReadResult::Failed;
    }
    if (!ReadAll(handle.Get(), bytes)) {
        bytes.clear();
        return ReadResult::Failed;
    }
    return ReadResult::Read;
}

bool ReplaceFileBytes(const fs::path& file, const std::string& bytes)
{
    const std::wstring name = NativeName(file);
    DWORD attributes = 0;
    if (!MayReplace(name, attributes)) {
        return false;
    }
    TemporaryFile temporary(NativeName(file.parent_path().empty() ? fs::path(".") : file.parent_path()));
    if (!temporary.Created() || !WriteNewFile(temporary.Name(), bytes)) {
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && !SetFileAttributesW(temporary.Name().c_str(), attributes)) {
        return false;
    }
    return temporary.MoveTo(name);
}

} // namespace Utilities
