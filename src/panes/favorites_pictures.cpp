// Shell icons of favourites, and their conversion to menu bitmaps.
#include "panes/favorites_pictures.h"

#include <shellapi.h>
#include <shlobj.h>

namespace kelpo {

HICON ShellIconOfPath(const std::wstring& path) {
    SHFILEINFOW info{};
    if (!path.empty() && path.front() == L':') {
        PIDLIST_ABSOLUTE pidl = nullptr;
        if (FAILED(::SHParseDisplayName(path.c_str(), nullptr, &pidl, 0, nullptr))) {
            return nullptr;
        }
        ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info),
                         SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON);
        ::CoTaskMemFree(pidl);
        return info.hIcon;
    }
    if (path.empty() || ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return nullptr;
    }
    ::SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON);
    return info.hIcon;
}

HICON GenericShellIcon(bool folder) {
    SHFILEINFOW info{};
    ::SHGetFileInfoW(folder ? L"folder" : L"file", folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info,
                     sizeof(info), SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    return info.hIcon;
}

unique_hbitmap MenuBitmapOfIcon(HICON icon) {
    if (icon == nullptr) {
        return unique_hbitmap();
    }
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    unique_hbitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!bitmap || bits == nullptr || dc == nullptr) {
        if (dc != nullptr) {
            ::DeleteDC(dc);
        }
        return unique_hbitmap();
    }
    HGDIOBJ old = ::SelectObject(dc, bitmap.get());
    ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    // An icon without an alpha channel leaves alpha at zero where it drew: make those pixels opaque.
    auto* pixels = static_cast<DWORD*>(bits);
    bool anyAlpha = false;
    for (int i = 0; i < size * size; ++i) {
        anyAlpha = anyAlpha || (pixels[i] >> 24) != 0;
    }
    if (!anyAlpha) {
        for (int i = 0; i < size * size; ++i) {
            if ((pixels[i] & 0x00FFFFFF) != 0) {
                pixels[i] |= 0xFF000000;
            }
        }
    }
    return bitmap;
}

}  // namespace kelpo
