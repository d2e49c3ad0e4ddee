#pragma once
// Scoped owners of Win32 handles: each releases its handle exactly once, on
// every path out of the scope, including an exception.
#include <windows.h>

#include <utility>

namespace Utilities {

template <class Traits>
class Scoped {
public:
    using Type = typename Traits::Type;

    Scoped() = default;
    explicit Scoped(Type value) : value(value) {}
    ~Scoped() { Close(); }

    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : value(other.Release()) {}
    Scoped& operator=(Scoped&& other) noexcept
    {
        if (this != &other) {
            Close();
            value = other.Release();
        }
        return *this;
    }

    Type Get() const { return value; }
    bool IsValid() const { return Traits::IsValid(value); }
    explicit operator bool() const { return IsValid(); }

    // For Win32 calls that return the handle through a pointer.
    Type* Receive()
    {
        Close();
        return &value;
    }

    Type Release() { return std::exchange(value, Traits::Invalid()); }

    // Releases the handle now; false when the system reported a failure.
    bool Close()
    {
        if (!IsValid()) {
            value = Traits::Invalid();
            return true;
        }
        return Traits::Close(Release());
    }

private:
    Type value = Traits::Invalid();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static bool Close(Type handle) { return CloseHandle(handle) != FALSE; }
};

struct RegistryKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type key) { return key != nullptr; }
    static bool Close(Type key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};

struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type module) { return module != nullptr; }
    static bool Close(Type module) { return FreeLibrary(module) != FALSE; }
};

struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type memory) { return memory != nullptr; }
    static bool Close(Type memory) { return GlobalFree(memory) == nullptr; }
};

// Memory that the system allocated for the caller, such as FormatMessage's text.
struct LocalMemoryTraits {
    using Type = HLOCAL;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type memory) { return memory != nullptr; }
    static bool Close(Type memory) { return LocalFree(memory) == nullptr; }
};

struct VirtualMemoryTraits {
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type memory) { return memory != nullptr; }
    static bool Close(Type memory) { return VirtualFree(memory, 0, MEM_RELEASE) != FALSE; }
};

using ScopedHandle = Scoped<KernelHandleTraits>;
using ScopedRegistryKey = Scoped<RegistryKeyTraits>;
using ScopedModule = Scoped<ModuleTraits>;
using ScopedGlobalMemory = Scoped<GlobalMemoryTraits>;
using ScopedLocalMemory = Scoped<LocalMemoryTraits>;
using ScopedVirtualMemory = Scoped<VirtualMemoryTraits>;

// The clipboard, open for one operation; closed on every path out.
class ScopedClipboard {
public:
    explicit ScopedClipboard(HWND owner) : open(OpenClipboard(owner) != FALSE) {}
    ~ScopedClipboard()
    {
        if (open) {
            CloseClipboard();
        }
    }
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;

    explicit operator bool() const { return open; }

private:
    bool open;
};

// A movable global memory block, locked for the lifetime of this object.
class ScopedGlobalLock {
public:
    explicit ScopedGlobalLock(HGLOBAL memory) : memory(memory), address(GlobalLock(memory)) {}
    ~ScopedGlobalLock()
    {
        if (address != nullptr) {
            GlobalUnlock(memory);
        }
    }
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;

    void* Get() const { return address; }
    explicit operator bool() const { return address != nullptr; }

private:
    HGLOBAL memory;
    void* address;
};

} // namespace Utilities
