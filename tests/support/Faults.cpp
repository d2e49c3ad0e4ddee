#include "Faults.hpp"

#include <tlhelp32.h>

#include <atomic>
#include <map>
#include <set>
#include <tuple>
#include <type_traits>

namespace TestSupport::Faults {

namespace {

std::atomic<DWORD> armedThread{0};
Fault armed;
std::vector<std::string> counted;
std::size_t namedCalls = 0;
std::string failed;

// Whether this call is to fail; the error code is then set.
bool Strike(const char* name)
{
    if (armedThread != GetCurrentThreadId()) {
        return false;
    }
    counted.push_back(name);
    if (!armed.function.empty() && armed.function != name) {
        return false;
    }
    const auto number = armed.function.empty() ? counted.size() : ++namedCalls;
    if (number < armed.call || number >= armed.call + armed.calls) {
        return false;
    }
    failed = name;
    SetLastError(armed.code);
    return true;
}

// How a function reports a failure: a zero result, a result of all ones
// (INVALID_HANDLE_VALUE, INVALID_FILE_ATTRIBUTES) or the error code itself;
// closing calls close first, as a close that fails to write back does.
// ReplaceFileW's one failure with side effects has moved the file to the
// backup first.
enum class Reports { Zero, AllOnes, Code, ClosedZero, ClosedCode, Replace };

// By function name: its wrapper and where the wrapper keeps the real one.
std::map<std::string, std::pair<void*, void**>>& Functions()
{
    static std::map<std::string, std::pair<void*, void**>> functions;
    return functions;
}

template <class Function>
Function* Real(const char* name) { return reinterpret_cast<Function*>(*Functions().at(name).second); }

template <int Id>
void* original = nullptr;
template <int Id>
const char* wrappedName = "";

template <int Id, Reports How, class Result, class... Arguments>
Result WINAPI Wrapper(Arguments... arguments)
{
    const auto real = reinterpret_cast<Result(WINAPI*)(Arguments...)>(original<Id>);
    if (!Strike(wrappedName<Id>)) {
        return real(arguments...);
    }
    if constexpr (How == Reports::ClosedZero || How == Reports::ClosedCode) {
        real(arguments...);
    } else if constexpr (How == Reports::Replace) {
        const auto [file, replacement, backup, flags, exclude, reserved] = std::tie(arguments...);
        if (armed.code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 && backup != nullptr) {
            Real<decltype(MoveFileExW)>("MoveFileExW")(file, backup, MOVEFILE_REPLACE_EXISTING);
            SetLastError(armed.code);
        }
    }
    const ULONG_PTR value = How == Reports::AllOnes ? ~ULONG_PTR{0} : How == Reports::Code || How == Reports::ClosedCode ? armed.code : 0;
    if constexpr (std::is_pointer_v<Result>) {
        return reinterpret_cast<Result>(value);
    } else {
        return static_cast<Result>(value);
    }
}

template <int Id, Reports How, class Result, class... Arguments>
void Wrap(const char* name, Result(WINAPI*)(Arguments...))
{
    wrappedName<Id> = name;
    Functions()[name] = {reinterpret_cast<void*>(&Wrapper<Id, How, Result, Arguments...>), &original<Id>};
}

// Functions that kernel32 of Windows XP lacks, looked up at run time.
using FileInformation = BOOL WINAPI(HANDLE, int, LPVOID, DWORD);
using FileFlags = BOOL WINAPI(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID);

#define WRAP(name, how) Wrap<__COUNTER__, Reports::how>(#name, &name)
#define WRAP_AS(name, type, how) Wrap<__COUNTER__, Reports::how>(#name, static_cast<type*>(nullptr))

void WrapAll()
{
    WRAP(CreateFileW, AllOnes), WRAP(ReadFile, Zero), WRAP(WriteFile, Zero), WRAP(FlushFileBuffers, Zero);
    WRAP(CloseHandle, ClosedZero), WRAP(GetFileAttributesW, AllOnes), WRAP(GetFileAttributesExW, Zero), WRAP(SetFileAttributesW, Zero);
    WRAP(CreateDirectoryW, Zero), WRAP(RemoveDirectoryW, Zero);
    WRAP(GetFileSizeEx, Zero), WRAP(CopyFileExW, Zero), WRAP(MoveFileExW, Zero), WRAP(DeleteFileW, Zero);
    WRAP_AS(ReplaceFileW, FileFlags, Replace), WRAP(GetTempFileNameW, Zero);
    WRAP_AS(GetFileInformationByHandleEx, FileInformation, Zero), WRAP_AS(SetFileInformationByHandle, FileInformation, Zero);
    WRAP(RegOpenKeyExA, Code), WRAP(RegQueryValueExA, Code), WRAP(RegQueryValueExW, Code), WRAP(RegCloseKey, ClosedCode);
    WRAP(WritePrivateProfileStringA, Zero), WRAP(GetPrivateProfileStringA, Zero), WRAP(CreateProcessA, Zero);
    WRAP(OpenProcess, Zero), WRAP(GetExitCodeProcess, Zero), WRAP(FormatMessageA, Zero), WRAP(VirtualQuery, Zero);
    WRAP(OpenClipboard, Zero), WRAP(GlobalAlloc, Zero), WRAP(GlobalLock, Zero), WRAP(CreateToolhelp32Snapshot, AllOnes);
}

// The wrapper of a function, which then calls the real one; the function
// itself when it is not wrapped.
void* Swap(const char* name, void* real)
{
    const auto found = Functions().find(name);
    if (found == Functions().end()) {
        return real;
    }
    auto& [wrapper, original] = found->second;
    *original = *original ? *original : real;
    return wrapper;
}

// The 32-bit tests run as on Windows XP, where the 32-bit build is shipped:
// the functions that its kernel32 lacks are not found, so that Boost takes
// the ways it takes there (deleting, removing folders and clearing the
// read-only attribute with calls of their own). The 64-bit tests take the
// ways of later Windows versions.
bool IsMissingOnTheTestedWindows(const char* name)
{
#if defined(_WIN64)
    return name == nullptr;
#else
    return std::string(name) == "GetFileInformationByHandleEx" || std::string(name) == "SetFileInformationByHandle";
#endif
}

// Functions that a library looks up at run time come back wrapped.
FARPROC WINAPI GetProcAddressWrapper(HMODULE module, LPCSTR name)
{
    if (!IS_INTRESOURCE(name) && IsMissingOnTheTestedWindows(name)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    const FARPROC found = Real<decltype(GetProcAddress)>("GetProcAddress")(module, name);
    return found == nullptr || IS_INTRESOURCE(name) ? found : reinterpret_cast<FARPROC>(Swap(name, reinterpret_cast<void*>(found)));
}

// Before Boost's static initialisers look up the functions they use.
struct RerouteAtStart {
    RerouteAtStart()
    {
        WrapAll();
        static void* realGetProcAddress = nullptr;
        Functions()["GetProcAddress"] = {reinterpret_cast<void*>(&GetProcAddressWrapper), &realGetProcAddress};
        Reroute(GetModuleHandleW(nullptr));
    }
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
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk); names->u1.AddressOfData != 0; ++names, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const char* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(Swap(name, reinterpret_cast<void*>(slot->u1.Function)));
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
        }
    }
}

void Arm(const Fault& fault)
{
    armed = fault;
    counted.clear();
    namedCalls = 0;
    failed.clear();
    armedThread = GetCurrentThreadId();
}

std::vector<std::string> Disarm()
{
    armedThread = 0;
    return counted;
}

std::string Failed() { return failed; }

} // namespace TestSupport::Faults
