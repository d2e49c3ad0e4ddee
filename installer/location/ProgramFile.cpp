#include "ProgramFile.hpp"

#include "Handles.hpp"

#include <windows.h>

#include <vector>

namespace Installer {

std::pair<unsigned, unsigned> ReadProgramVersion(const boost::filesystem::path& program)
{
    DWORD ignored = 0;
    std::vector<BYTE> resource(GetFileVersionInfoSizeW(program.c_str(), &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (resource.empty() || !GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(resource.size()), resource.data()) ||
        !VerQueryValueW(resource.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) || size < sizeof *fixed) {
        return {0, 0};
    }
    return {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS)};
}

int ReadProgramBits(const boost::filesystem::path& program)
{
    const Utilities::ScopedHandle file(CreateFileW(program.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const auto read = [&](LONG at, void* into, DWORD size) {
        DWORD done = 0;
        return SetFilePointer(file.Get(), at, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER && ReadFile(file.Get(), into, size, &done, nullptr) &&
               done == size;
    };
    IMAGE_DOS_HEADER dos = {};
    struct {
        DWORD signature;
        IMAGE_FILE_HEADER header;
    } nt = {};
    if (!file || !read(0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || !read(dos.e_lfanew, &nt, sizeof nt) ||
        nt.signature != IMAGE_NT_SIGNATURE) {
        return 0;
    }
    switch (nt.header.Machine) {
    case IMAGE_FILE_MACHINE_I386: return 32;
    case IMAGE_FILE_MACHINE_AMD64:
    case IMAGE_FILE_MACHINE_IA64: return 64;
    default: return 0;
    }
}

} // namespace Installer
