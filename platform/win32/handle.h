// Owners of what Windows hands out to be given back: kernel handles, modules, local and COM
// task allocations, BSTRs, device contexts, C files, registry keys, service and find handles,
// environment blocks and COM interfaces. One template, so that every kind is given back
// exactly once and has the same get(), put(), reset() and release(); each moves, none copies.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdint>
#include <cstdio>
#include <type_traits>
#include <utility>

namespace platform::win32 {

// Owns one `Handle` and gives it back with `Close`, a function object that may carry what
// the giving back needs besides the handle (a device context's window). Null means "none",
// and so does each value of `AlsoNone`, compared as an integer (-1 for INVALID_HANDLE_VALUE).
template <typename Handle, typename Close, std::intptr_t... AlsoNone>
class Unique {
    static_assert(std::is_pointer_v<Handle>, "Windows hands these out as pointers");

  public:
    Unique() = default;
    explicit Unique(Handle handle, Close close = Close()) noexcept
        : handle_(handle), close_(std::move(close)) {}
    Unique(Unique&& other) noexcept : handle_(other.release()), close_(std::move(other.close_)) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            reset(other.release());
            close_ = std::move(other.close_);
        }
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { reset(); }

    [[nodiscard]] Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return Holds(handle_); }
    // COM interfaces and C structures are reached through the pointer.
    Handle operator->() const noexcept requires std::is_class_v<std::remove_pointer_t<Handle>> {
        return handle_;
    }

    // For a call that hands out a new one: gives back the one held, then lends the place.
    [[nodiscard]] Handle* put() noexcept {
        reset();
        return &handle_;
    }
    // Gives back the one held, if any, and holds `handle` instead.
    void reset(Handle handle = Handle()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (Holds(old))
            close_(old);
    }
    // Stops owning it without giving it back: the caller now does, or keeps it for good.
    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Handle()); }

  private:
    static bool Holds(Handle handle) noexcept {
        if (handle == Handle())
            return false;
        const auto value = reinterpret_cast<std::intptr_t>(handle);
        return ((value != AlsoNone) && ...);
    }

    Handle handle_ = Handle();
    [[no_unique_address]] Close close_;
};

// How each kind is given back: the one function that frees it, called with the handle.
template <auto Free>
struct FreeWith {
    template <typename Handle>
    void operator()(Handle handle) const noexcept {
        static_cast<void>(Free(handle));
    }
};
// GetDC's context goes back to the window it came from (null for the screen).
struct DcReleaser {
    HWND window = nullptr;
    void operator()(HDC dc) const noexcept { ::ReleaseDC(window, dc); }
};
struct ComReleaser {
    template <typename Interface>
    void operator()(Interface* object) const noexcept {
        object->Release();
    }
};

// A process, thread, pipe end, file, event, mutex, timer or token.
using UniqueHandle = Unique<HANDLE, FreeWith<&::CloseHandle>, -1>;
// A reference to a loaded library.
using UniqueModule = Unique<HMODULE, FreeWith<&::FreeLibrary>>;
// What a call allocated with LocalAlloc for the caller to free.
template <typename T>
using UniqueLocal = Unique<T*, FreeWith<&::LocalFree>>;
// What a call allocated with CoTaskMemAlloc for the caller to free.
template <typename T>
using UniqueCoTaskMem = Unique<T*, FreeWith<&::CoTaskMemFree>>;
using UniqueBstr = Unique<BSTR, FreeWith<&::SysFreeString>>;
using UniqueDc = Unique<HDC, DcReleaser>;
using UniqueStdFile = Unique<std::FILE*, FreeWith<&std::fclose>>;
using UniqueKey = Unique<HKEY, FreeWith<&::RegCloseKey>>;
// A service control manager or service handle.
using UniqueServiceHandle = Unique<SC_HANDLE, FreeWith<&::CloseServiceHandle>>;
// A FindFirstFileW search.
using UniqueFind = Unique<HANDLE, FreeWith<&::FindClose>, -1>;
// GetEnvironmentStringsW's block.
using UniqueEnvironmentStrings = Unique<wchar_t*, FreeWith<&::FreeEnvironmentStringsW>>;
// One reference to a COM object.
template <typename Interface>
using UniqueCom = Unique<Interface*, ComReleaser>;

// The client area's device context of `window` (the screen's for null), released to it.
[[nodiscard]] inline UniqueDc ClientDc(HWND window) {
    return UniqueDc(::GetDC(window), DcReleaser{window});
}

}  // namespace platform::win32
