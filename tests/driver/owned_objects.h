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

}  // namespace lyrics::testing
