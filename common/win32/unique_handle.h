// UniqueHandle: sole owner of one Win32 handle, closed with its own function when the owner goes;
// WindowDc and ObjectSelection: the same for a borrowed device context and a selected GDI object;
// ComRef: one reference to a COM object.
// One alias per kind of handle, in the manner of WIL's unique_any, so that no handle of either
// program is ever closed by hand or leaked on an early return.
#pragma once

#include <windows.h>

#include <utility>

namespace lyrics {

template <typename Handle>
constexpr Handle NullHandle() noexcept {
    return Handle{};
}

// Invalid names a function giving the value that holds nothing: null for most handles,
// INVALID_HANDLE_VALUE for files and searches (which no constant expression can spell).
template <typename Handle, auto Close, auto Invalid = &NullHandle<Handle>>
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
    explicit operator bool() const noexcept { return handle_ != Invalid(); }

    // Closes the handle held so far and takes the new one.
    void reset(Handle handle = Invalid()) noexcept {
        if (handle_ != Invalid()) Close(handle_);
        handle_ = handle;
    }
    Handle release() noexcept { return std::exchange(handle_, Invalid()); }

    // For functions that hand a handle out through a pointer (RegOpenKeyExW and the like).
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Invalid();
};

inline HANDLE InvalidHandleValue() noexcept { return INVALID_HANDLE_VALUE; }

inline void CloseFont(HFONT font) noexcept { ::DeleteObject(font); }
inline void CloseBrush(HBRUSH brush) noexcept { ::DeleteObject(brush); }
inline void CloseIcon(HICON icon) noexcept { ::DestroyIcon(icon); }
inline void CloseMenu(HMENU menu) noexcept { ::DestroyMenu(menu); }
inline void CloseKey(HKEY key) noexcept { ::RegCloseKey(key); }
inline void CloseKernelHandle(HANDLE handle) noexcept { ::CloseHandle(handle); }
inline void CloseFind(HANDLE find) noexcept { ::FindClose(find); }
inline void CloseDc(HDC dc) noexcept { ::DeleteDC(dc); }
inline void CloseBitmap(HBITMAP bitmap) noexcept { ::DeleteObject(bitmap); }

using UniqueHkey = UniqueHandle<HKEY, CloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueHfont = UniqueHandle<HFONT, CloseFont>;
using UniqueHicon = UniqueHandle<HICON, CloseIcon>;
using UniqueHmenu = UniqueHandle<HMENU, CloseMenu>;
using UniqueFindHandle = UniqueHandle<HANDLE, CloseFind, &InvalidHandleValue>;
using UniqueFileHandle = UniqueHandle<HANDLE, CloseKernelHandle, &InvalidHandleValue>;
using UniqueHdc = UniqueHandle<HDC, CloseDc>;
using UniqueHbitmap = UniqueHandle<HBITMAP, CloseBitmap>;

// A window's device context (the screen's for no window), for measuring text, released when the
// object goes.
class WindowDc {
public:
    explicit WindowDc(HWND window = nullptr) noexcept : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A GDI object selected into a device context for the life of the object; the earlier one comes back.
class ObjectSelection {
public:
    ObjectSelection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;
    ~ObjectSelection() {
        if (previous_) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Holds one reference to a COM object, released when it goes.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) reset(std::exchange(other.object_, nullptr));
        return *this;
    }
    ~ComRef() { reset(); }

    Interface* get() const noexcept { return object_; }
    Interface* operator->() const noexcept { return object_; }
    Interface& operator*() const noexcept { return *object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }
    // Takes over a reference handed out (the object's own count is not raised).
    void reset(Interface* object = nullptr) noexcept {
        if (object_) object_->Release();
        object_ = object;
    }
    Interface** put() noexcept {
        reset();
        return &object_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

private:
    Interface* object_ = nullptr;
};

}  // namespace lyrics
