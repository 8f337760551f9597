// Owning wrappers for Windows handles: each kind is released exactly once, on every path.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <type_traits>

namespace kelpo {

template <typename Handle>
struct NullInvalid {
    static Handle Invalid() noexcept { return Handle{}; }
};

struct FileHandleInvalid {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
};

template <typename Handle, auto Close, typename Traits = NullInvalid<Handle>>
class unique_any {
public:
    unique_any() noexcept = default;
    explicit unique_any(Handle handle) noexcept : handle_(handle) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : handle_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~unique_any() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    Handle release() noexcept {
        Handle handle = handle_;
        handle_ = Traits::Invalid();
        return handle;
    }

    void reset(Handle handle = Traits::Invalid()) noexcept {
        if (handle_ != Traits::Invalid()) {
            Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

namespace detail {
inline void CloseKernelHandle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void CloseFindHandle(HANDLE h) noexcept { ::FindClose(h); }
inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void DestroyMenuHandle(HMENU h) noexcept { ::DestroyMenu(h); }
inline void DestroyAccelHandle(HACCEL h) noexcept { ::DestroyAcceleratorTable(h); }
inline void DestroyIconHandle(HICON h) noexcept { ::DestroyIcon(h); }
inline void FreeLocal(HLOCAL h) noexcept { ::LocalFree(h); }
inline void FreeLibraryHandle(HMODULE h) noexcept { ::FreeLibrary(h); }
inline void DestroyWindowHandle(HWND h) noexcept { ::DestroyWindow(h); }
}  // namespace detail

using unique_handle = unique_any<HANDLE, detail::CloseKernelHandle>;
using unique_hfile = unique_any<HANDLE, detail::CloseKernelHandle, FileHandleInvalid>;
using unique_hfind = unique_any<HANDLE, detail::CloseFindHandle, FileHandleInvalid>;
using unique_hfont = unique_any<HFONT, detail::DeleteGdiObject>;
using unique_hbitmap = unique_any<HBITMAP, detail::DeleteGdiObject>;
using unique_hbrush = unique_any<HBRUSH, detail::DeleteGdiObject>;
using unique_hmenu = unique_any<HMENU, detail::DestroyMenuHandle>;
using unique_haccel = unique_any<HACCEL, detail::DestroyAccelHandle>;
using unique_hicon = unique_any<HICON, detail::DestroyIconHandle>;
using unique_hlocal = unique_any<HLOCAL, detail::FreeLocal>;
using unique_hmodule = unique_any<HMODULE, detail::FreeLibraryHandle>;
using unique_hwnd = unique_any<HWND, detail::DestroyWindowHandle>;

// The argument vector of CommandLineToArgvW, freed with LocalFree.
struct ArgvDeleter {
    void operator()(LPWSTR* argv) const noexcept { ::LocalFree(argv); }
};
using unique_argv = std::unique_ptr<LPWSTR[], ArgvDeleter>;

// Selects a GDI object into a device context for one scope and puts the old one back.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() {
        if (old_ != nullptr) {
            ::SelectObject(dc_, old_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace kelpo
