// Owners for what tests make beside the handles of common/win32/unique_handle.h: a window of the
// test's own, destroyed when the owner goes; a COM interface pointer, released; a BSTR, freed.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <utility>

#include "common/win32/unique_handle.h"

namespace lyrics::testing {

inline void DestroyOwnWindow(HWND window) noexcept { ::DestroyWindow(window); }
inline void FreeBstr(BSTR text) noexcept { ::SysFreeString(text); }

using UniqueWindow = UniqueHandle<HWND, DestroyOwnWindow>;
using UniqueBstr = UniqueHandle<BSTR, FreeBstr>;

// Releases a COM interface pointer when it goes.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }
    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    // For functions that hand the pointer out through void** (CoCreateInstance, QueryInterface).
    void** put() noexcept { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace lyrics::testing
