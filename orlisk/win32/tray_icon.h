// TrayIcon: Orlisk's icon in the notification area, identified by its window and id.
// It goes in when Add succeeds, comes back when Explorer restarts (the owner calls Add again on
// "TaskbarCreated") and goes when the object goes. The tip is the program's status line.
#pragma once

#include "common/win32/unique_handle.h"

#include <shellapi.h>

#include <string>
#include <string_view>

namespace lyrics::orlisk::win32 {

// The shell's tip holds 128 characters with the terminating NUL.
inline constexpr std::size_t maxTipLength = 127;

// text as the shell can show it: unchanged when it fits, else cut and ended with "…"
// (never between the two halves of a surrogate pair).
std::wstring FitTip(std::wstring_view text);

// What a mouse event on the icon means to the program: button code 1 for the first button,
// 2 for the second, 0 for everything else, and where a menu should appear.
struct TrayButtonEvent {
    int buttonCode = 0;
    POINT anchor{};
};

class TrayIcon {
public:
    TrayIcon(HWND owner, UINT id, UINT callbackMessage, UniqueHicon icon, std::wstring tip);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon();

    // Puts the icon into the notification area (again, after Explorer restarted). False when the
    // shell is not ready yet; the owner then retries later.
    bool Add();
    void Remove() noexcept;
    bool IsAdded() const noexcept { return added_; }

    // Replaces the whole tip text, cut to fit.
    void SetTip(std::wstring_view text);
    const std::wstring& Tip() const noexcept { return tip_; }

    // Decodes the callback message the shell sent for this icon.
    TrayButtonEvent Decode(WPARAM wParam, LPARAM lParam) const;

private:
    NOTIFYICONDATAW BaseData() const;

    HWND owner_;
    UINT id_;
    UINT callbackMessage_;
    UniqueHicon icon_;
    std::wstring tip_;
    bool added_ = false;
    bool version4_ = false;
};

}  // namespace lyrics::orlisk::win32
