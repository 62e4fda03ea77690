#include "orlisk/win32/key_select_debouncer.h"

namespace lyrics::orlisk::win32 {

bool KeySelectDebouncer::StartPress(std::uint32_t nowMs, std::uint32_t windowMs) noexcept {
    if (running_) return false;
    // Unsigned difference: right across the tick count's wrap after 49.7 days.
    if (ended_ && static_cast<std::uint32_t>(nowMs - endedAt_) <= windowMs) return false;
    running_ = true;
    return true;
}

void KeySelectDebouncer::PressHandled(std::uint32_t nowMs) noexcept {
    if (!running_) return;
    running_ = false;
    ended_ = true;
    endedAt_ = nowMs;
}

}  // namespace lyrics::orlisk::win32
