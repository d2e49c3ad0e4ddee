#include "FileContent.hpp"

#include "BriefHold.hpp"
#include "Handles.hpp"
#include "Paths.hpp"

#include <algorithm>
#include <stdexcept>

namespace fs = boost::filesystem;

namespace Utilities {

namespace {

constexpr DWORD ChunkSize = 1 << 20;

// Makes the call again while another program holds the file for a moment;
// the call's last error stays when it fails for good.
bool CallWhileBrieflyHeld(const std::function<bool()>& call, Hold kind = Hold::Sharing)
{
    const DWORD error = Utilities::WhileBrieflyHeld([&] { return Utilities::ErrorUnless(call()); }, kind);
    SetLastError(error);
    return error == ERROR_SUCCESS;
}

// An open file, once another program lets go of it.
ScopedHandle Open(const std::wstring& name, DWORD access, DWORD sharing, DWORD disposition)
{
    ScopedHandle file;
    CallWhileBrieflyHeld([&] {
        file = ScopedHandle(CreateFileW(name.c_str(), access, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.IsValid();
    });
    return file;
}

std::wstring NativeName(const fs::path& file)
{
    fs::path native = file;
    return native.make_preferred().wstring();
}

void WriteAll(const std::wstring& name, const std::string& bytes)
{
    ScopedHandle file = Open(name, GENERIC_WRITE, 0, TRUNCATE_EXISTING);
    if (!file) {
        ThrowSystemError(GetLastError());
    }
    for (std::string::size_type done = 0; done < bytes.size();) {
        const DWORD size = static_cast<DWORD>(std::min<std::string::size_type>(bytes.size() - done, ChunkSize));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, size, &written, nullptr) || written != size) {
            ThrowSystemError(GetLastError());
        }
        done += written;
    }
    if (!FlushFileBuffers(file.Get()) || !file.Close()) {
        ThrowSystemError(GetLastError());
    }
}

// A uniquely named file in a folder, deleted again unless it took the place
// of another file.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder)
    {
        wchar_t buffer[MAX_PATH];
        if (GetTempFileNameW(folder.c_str(), L"xml", 0, buffer) == 0) {
            ThrowSystemError(GetLastError());
        }
        name = buffer;
    }
    ~TemporaryFile()
    {
        if (!name.empty()) {
            DeleteFileW(name.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::wstring& Name() const { return name; }

    // Takes the name of a file that is not there.
    void MoveTo(const std::wstring& target)
    {
        if (!CallWhileBrieflyHeld([&] { return MoveFileExW(name.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH); })) {
            ThrowSystemError(GetLastError());
        }
        name.clear();
    }

    // Takes the place of a file, which passes its attributes, security and
    // streams on; the backup holds that file meanwhile, so that it survives
    // every way in which the replacing can fail.
    void Replace(const std::wstring& target, TemporaryFile& backup)
    {
        const auto replace = [&] { return ReplaceFileW(target.c_str(), name.c_str(), backup.Name().c_str(), 0, nullptr, nullptr) != FALSE; };
        if (CallWhileBrieflyHeld(replace, Hold::Replacement)) {
            name.clear();
            return;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) { // the file went to the backup, this one not to its place
            backup.Restore(target, error);
        }
        ThrowSystemError(error);
    }

private:
    // Gives the file that the backup holds its name back, or keeps the
    // backup and names it.
    void Restore(const std::wstring& target, DWORD error)
    {
        const bool restored = MoveFileExW(name.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
        const std::string kept = Utilities::NativeText(name);
        name.clear(); // the file is no temporary one any more, either way
        if (!restored) {
            throw std::runtime_error(Utilities::SystemErrorText(error) + " The file is kept as \"" + kept + "\".");
        }
    }

    std::wstring name;
};

// Whether a file that is to be replaced is there. Windows replaces only a
// file that it may write, that is not read-only, and that it can open to read
// and delete while sharing everything; asking first gives the reason, and
// keeps Wine, whose replacing is less strict, to the same rule.
bool IsReplaceable(const std::wstring& name)
{
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (!Utilities::MeansNotThere(error)) {
            ThrowSystemError(error);
        }
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        ThrowSystemError(ERROR_ACCESS_DENIED);
    }
    const ScopedHandle probe = Open(name, GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (!probe) {
        ThrowSystemError(GetLastError());
    }
    return true;
}

} // namespace

std::string ReadFileBytes(const fs::path& file)
{
    const ScopedHandle handle = Open(NativeName(file), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!handle) {
        const DWORD error = GetLastError();
        if (Utilities::MeansNotThere(error)) {
            return {};
        }
        ThrowSystemError(error);
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(handle.Get(), &size)) {
        ThrowSystemError(GetLastError());
    }
    std::string bytes(static_cast<std::string::size_type>(size.QuadPart), '\0');
    for (std::string::size_type done = 0; done < bytes.size();) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::string::size_type>(bytes.size() - done, ChunkSize));
        DWORD read = 0;
        if (!ReadFile(handle.Get(), &bytes[done], wanted, &read, nullptr)) {
            ThrowSystemError(GetLastError());
        }
        if (read == 0) {
            bytes.resize(done); // the file became shorter
        }
        done += read;
    }
    return bytes;
}

void ReplaceFileBytes(const fs::path& file, const std::string& bytes)
{
    const std::wstring name = NativeName(file);
    const bool replacing = IsReplaceable(name);
    const std::wstring folder = NativeName(file.parent_path().empty() ? fs::path(".") : file.parent_path());
    TemporaryFile temporary(folder);
    WriteAll(temporary.Name(), bytes);
    if (!replacing) {
        temporary.MoveTo(name);
        return;
    }
    TemporaryFile backup(folder);
    temporary.Replace(name, backup);
}

void CheckReplaceable(const fs::path& file) { IsReplaceable(NativeName(file)); }

} // namespace Utilities
