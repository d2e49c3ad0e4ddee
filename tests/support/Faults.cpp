#include "Faults.hpp"

#include <atomic>
#include <cstring>
#include <map>
#include <set>

namespace TestSupport::Faults {

namespace {

std::atomic<DWORD> armedThread{0};
Fault armed;
std::vector<std::string> counted;
const char* failed = "";

// The real functions, by name, as the first rerouted table held them.
std::map<std::string, void*>& Originals()
{
    static std::map<std::string, void*> originals;
    return originals;
}

void* Original(const char* name) { return Originals().at(name); }

// Whether this call is the one to fail; it has then set the error code.
bool Strike(const char* name)
{
    if (armedThread != GetCurrentThreadId() || (!armed.function.empty() && armed.function != name)) {
        return false;
    }
    counted.push_back(name);
    if (counted.size() < armed.call || counted.size() >= armed.call + armed.calls || armed.call == 0) {
        return false;
    }
    failed = name;
    if (armed.endsProcess) {
        TerminateProcess(GetCurrentProcess(), armed.code);
    }
    SetLastError(armed.code);
    return true;
}

LONG RegistryFailure() { return static_cast<LONG>(armed.code); }

// The one failure of ReplaceFileW with side effects: the file has gone to
// the backup, and the replacement could not take its place.
BOOL ReplaceFailure(LPCWSTR replaced, LPCWSTR backup)
{
    if (armed.code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 && backup != nullptr) {
        reinterpret_cast<BOOL(WINAPI*)(LPCWSTR, LPCWSTR, DWORD)>(Original("MoveFileExW"))(replaced, backup, MOVEFILE_REPLACE_EXISTING);
        SetLastError(armed.code);
    }
    return FALSE;
}

// What the native layer returns for the error codes that are injected.
LONG Status()
{
    switch (armed.code) {
    case ERROR_ACCESS_DENIED: return static_cast<LONG>(0xC0000022); // STATUS_ACCESS_DENIED
    case ERROR_SHARING_VIOLATION: return static_cast<LONG>(0xC0000043);
    case ERROR_DISK_FULL: return static_cast<LONG>(0xC000007F);
    default: return static_cast<LONG>(0xC0000001); // STATUS_UNSUCCESSFUL
    }
}

using Pointer = void*;

// Each wrapped function: its result type, name, the result that reports a
// failure, its parameters and the arguments passed on. Closing calls close
// and then report the failure, as a close that fails to write back does.
#define WRAPPED_FUNCTIONS(X)                                                                                            \
    X(HANDLE, CreateFileW, INVALID_HANDLE_VALUE,                                                                       \
      (LPCWSTR a, DWORD b, DWORD c, LPSECURITY_ATTRIBUTES d, DWORD e, DWORD f, HANDLE g), (a, b, c, d, e, f, g))       \
    X(BOOL, ReadFile, FALSE, (HANDLE a, LPVOID b, DWORD c, LPDWORD d, LPOVERLAPPED e), (a, b, c, d, e))                \
    X(BOOL, WriteFile, FALSE, (HANDLE a, LPCVOID b, DWORD c, LPDWORD d, LPOVERLAPPED e), (a, b, c, d, e))              \
    X(BOOL, FlushFileBuffers, FALSE, (HANDLE a), (a))                                                                  \
    X(BOOL, CloseHandle, (Call(a), FALSE), (HANDLE a), (a))                                                            \
    X(DWORD, GetFileAttributesW, INVALID_FILE_ATTRIBUTES, (LPCWSTR a), (a))                                            \
    X(BOOL, GetFileAttributesExW, FALSE, (LPCWSTR a, int b, LPVOID c), (a, b, c))                                      \
    X(BOOL, SetFileAttributesW, FALSE, (LPCWSTR a, DWORD b), (a, b))                                                   \
    X(BOOL, GetFileSizeEx, FALSE, (HANDLE a, PLARGE_INTEGER b), (a, b))                                                \
    X(BOOL, GetFileInformationByHandle, FALSE, (HANDLE a, LPBY_HANDLE_FILE_INFORMATION b), (a, b))                     \
    X(BOOL, GetFileInformationByHandleEx, FALSE, (HANDLE a, int b, LPVOID c, DWORD d), (a, b, c, d))                   \
    X(BOOL, SetFileInformationByHandle, FALSE, (HANDLE a, int b, LPVOID c, DWORD d), (a, b, c, d))                     \
    X(BOOL, SetFilePointerEx, FALSE, (HANDLE a, LARGE_INTEGER b, PLARGE_INTEGER c, DWORD d), (a, b, c, d))             \
    X(BOOL, SetEndOfFile, FALSE, (HANDLE a), (a))                                                                      \
    X(BOOL, GetFileTime, FALSE, (HANDLE a, LPFILETIME b, LPFILETIME c, LPFILETIME d), (a, b, c, d))                    \
    X(BOOL, SetFileTime, FALSE, (HANDLE a, const FILETIME* b, const FILETIME* c, const FILETIME* d), (a, b, c, d))     \
    X(BOOL, DeviceIoControl, FALSE, (HANDLE a, DWORD b, LPVOID c, DWORD d, LPVOID e, DWORD f, LPDWORD g, LPOVERLAPPED h), \
      (a, b, c, d, e, f, g, h))                                                                                        \
    X(BOOL, CopyFileExW, FALSE, (LPCWSTR a, LPCWSTR b, LPPROGRESS_ROUTINE c, LPVOID d, LPBOOL e, DWORD f),             \
      (a, b, c, d, e, f))                                                                                              \
    X(BOOL, MoveFileExW, FALSE, (LPCWSTR a, LPCWSTR b, DWORD c), (a, b, c))                                            \
    X(BOOL, ReplaceFileW, ReplaceFailure(a, c), (LPCWSTR a, LPCWSTR b, LPCWSTR c, DWORD d, LPVOID e, LPVOID f), (a, b, c, d, e, f))   \
    X(BOOL, DeleteFileW, FALSE, (LPCWSTR a), (a))                                                                      \
    X(BOOL, RemoveDirectoryW, FALSE, (LPCWSTR a), (a))                                                                 \
    X(BOOL, CreateDirectoryW, FALSE, (LPCWSTR a, LPSECURITY_ATTRIBUTES b), (a, b))                                     \
    X(BOOL, CreateDirectoryExW, FALSE, (LPCWSTR a, LPCWSTR b, LPSECURITY_ATTRIBUTES c), (a, b, c))                     \
    X(UINT, GetTempFileNameW, 0, (LPCWSTR a, LPCWSTR b, UINT c, LPWSTR d), (a, b, c, d))                               \
    X(LONG, NtCreateFile, Status(), (Pointer a, DWORD b, Pointer c, Pointer d, Pointer e, ULONG f, ULONG g, ULONG h,    \
                                     ULONG i, Pointer j, ULONG k), (a, b, c, d, e, f, g, h, i, j, k))                  \
    X(LONG, NtQueryDirectoryFile, Status(), (HANDLE a, HANDLE b, Pointer c, Pointer d, Pointer e, Pointer f, ULONG g,   \
                                             int h, BOOLEAN i, Pointer j, BOOLEAN k), (a, b, c, d, e, f, g, h, i, j, k)) \
    X(LONG, RegOpenKeyExA, RegistryFailure(), (HKEY a, LPCSTR b, DWORD c, REGSAM d, PHKEY e), (a, b, c, d, e))         \
    X(LONG, RegQueryValueExA, RegistryFailure(), (HKEY a, LPCSTR b, LPDWORD c, LPDWORD d, LPBYTE e, LPDWORD f),        \
      (a, b, c, d, e, f))                                                                                              \
    X(LONG, RegCloseKey, (Call(a), RegistryFailure()), (HKEY a), (a))                                                  \
    X(BOOL, WritePrivateProfileStringA, FALSE, (LPCSTR a, LPCSTR b, LPCSTR c, LPCSTR d), (a, b, c, d))                 \
    X(DWORD, GetPrivateProfileStringA, (e > 0 ? *d = '\0' : 0, 0u), (LPCSTR a, LPCSTR b, LPCSTR c, LPSTR d, DWORD e,   \
                                                                     LPCSTR f), (a, b, c, d, e, f))                    \
    X(BOOL, CreateProcessA, FALSE, (LPCSTR a, LPSTR b, LPSECURITY_ATTRIBUTES c, LPSECURITY_ATTRIBUTES d, BOOL e,       \
                                    DWORD f, LPVOID g, LPCSTR h, LPSTARTUPINFOA i, LPPROCESS_INFORMATION j),           \
      (a, b, c, d, e, f, g, h, i, j))                                                                                  \
    X(HANDLE, OpenProcess, nullptr, (DWORD a, BOOL b, DWORD c), (a, b, c))                                             \
    X(BOOL, GetExitCodeProcess, FALSE, (HANDLE a, LPDWORD b), (a, b))                                                  \
    X(DWORD, FormatMessageA, 0, (DWORD a, LPCVOID b, DWORD c, DWORD d, LPSTR e, DWORD f, va_list* g),                  \
      (a, b, c, d, e, f, g))                                                                                           \
    X(SIZE_T, VirtualQuery, 0, (LPCVOID a, PMEMORY_BASIC_INFORMATION b, SIZE_T c), (a, b, c))

#define DEFINE_WRAPPER(Result, Name, FailureResult, Parameters, Arguments)                                             \
    Result WINAPI Name##Wrapper Parameters                                                                             \
    {                                                                                                                  \
        const auto Call = [](auto... arguments) {                                                                      \
            return reinterpret_cast<Result(WINAPI*) Parameters>(Original(#Name))(arguments...);                        \
        };                                                                                                             \
        if (Strike(#Name)) {                                                                                           \
            return FailureResult;                                                                                      \
        }                                                                                                              \
        return Call Arguments;                                                                                         \
    }
WRAPPED_FUNCTIONS(DEFINE_WRAPPER)

#define LIST_WRAPPER(Result, Name, FailureResult, Parameters, Arguments) {#Name, reinterpret_cast<void*>(&Name##Wrapper)},

// The wrapper of a function, or null.
void* WrapperOf(const char* name)
{
    static const std::map<std::string, void*> wrappers = {WRAPPED_FUNCTIONS(LIST_WRAPPER)};
    const auto found = wrappers.find(name);
    return found == wrappers.end() ? nullptr : found->second;
}

// Functions that a library looks up at run time come back wrapped.
FARPROC WINAPI GetProcAddressWrapper(HMODULE module, LPCSTR name)
{
    const FARPROC found = reinterpret_cast<FARPROC(WINAPI*)(HMODULE, LPCSTR)>(Original("GetProcAddress"))(module, name);
    if (found == nullptr || IS_INTRESOURCE(name) || WrapperOf(name) == nullptr) {
        return found;
    }
    Originals().emplace(name, reinterpret_cast<void*>(found));
    return reinterpret_cast<FARPROC>(WrapperOf(name));
}

void Swap(ULONG_PTR& slot, const char* name)
{
    void* const wrapper =
        std::strcmp(name, "GetProcAddress") == 0 ? reinterpret_cast<void*>(&GetProcAddressWrapper) : WrapperOf(name);
    if (wrapper == nullptr) {
        return;
    }
    Originals().emplace(name, reinterpret_cast<void*>(slot));
    DWORD protection = 0;
    VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &protection);
    slot = reinterpret_cast<ULONG_PTR>(wrapper);
    VirtualProtect(&slot, sizeof slot, protection, &protection);
}

// Before Boost's static initialisers look up the functions they use.
struct RerouteAtStart {
    RerouteAtStart() { Reroute(GetModuleHandleW(nullptr)); }
};
RerouteAtStart rerouteAtStart __attribute__((init_priority(101)));

} // namespace

void Reroute(HMODULE module)
{
    static std::set<HMODULE> rerouted;
    if (!rerouted.insert(module).second) {
        return;
    }
    auto* const base = reinterpret_cast<BYTE*>(module);
    const auto* const headers =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0 && library->OriginalFirstThunk != 0; ++library) {
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                Swap(slots->u1.Function, reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
            }
        }
    }
}

void Arm(const Fault& fault)
{
    armed = fault;
    counted.clear();
    failed = "";
    armedThread = GetCurrentThreadId();
}

std::vector<std::string> Disarm()
{
    armedThread = 0;
    return counted;
}

std::string Failed() { return failed; }

} // namespace TestSupport::Faults
