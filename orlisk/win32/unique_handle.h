// UniqueHandle: sole owner of one Win32 handle, closed with its own function when the owner goes;
// ScreenDc and FontSelection: the same for a borrowed device context and a selected font.
// One alias per kind of handle, in the manner of WIL's unique_any, so that no handle of the
// program is ever closed by hand or leaked on an early return.
#pragma once

#include <windows.h>

#include <utility>

namespace lyrics::orlisk::win32 {

template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Invalid; }

    // Closes the handle held so far and takes the new one.
    void reset(Handle handle = Invalid) noexcept {
        if (handle_ != Invalid) Close(handle_);
        handle_ = handle;
    }
    Handle release() noexcept { return std::exchange(handle_, Invalid); }

    // For functions that hand a handle out through a pointer (RegOpenKeyExW and the like).
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Invalid;
};

inline void CloseFont(HFONT font) noexcept { ::DeleteObject(font); }
inline void CloseBrush(HBRUSH brush) noexcept { ::DeleteObject(brush); }
inline void CloseIcon(HICON icon) noexcept { ::DestroyIcon(icon); }
inline void CloseMenu(HMENU menu) noexcept { ::DestroyMenu(menu); }
inline void CloseKey(HKEY key) noexcept { ::RegCloseKey(key); }
inline void CloseKernelHandle(HANDLE handle) noexcept { ::CloseHandle(handle); }

using UniqueHkey = UniqueHandle<HKEY, CloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueHfont = UniqueHandle<HFONT, CloseFont>;
using UniqueHicon = UniqueHandle<HICON, CloseIcon>;
using UniqueHmenu = UniqueHandle<HMENU, CloseMenu>;

// The screen's device context, for measuring text, released when the object goes.
class ScreenDc {
public:
    ScreenDc() noexcept : dc_(::GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() {
        if (dc_) ::ReleaseDC(nullptr, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HDC dc_;
};

// A font selected into a device context for the life of the object; the earlier one comes back.
class FontSelection {
public:
    FontSelection(HDC dc, HFONT font) noexcept : dc_(dc), previous_(::SelectObject(dc, font)) {}
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;
    ~FontSelection() {
        if (previous_) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace lyrics::orlisk::win32
