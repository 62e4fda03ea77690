// A top-level window as the logic sees it: an opaque number, 0 for none.
// The Windows program converts HWND to and from it (reinterpret_cast through std::uintptr_t), so
// the logic needs no <windows.h>; the tests number their fake windows.
#pragma once

#include <cstdint>

namespace lyrics::orlisk {

using WindowHandle = std::uintptr_t;

inline constexpr WindowHandle kNoWindow = 0;

}  // namespace lyrics::orlisk
