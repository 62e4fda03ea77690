// TrayIcon: Orlisk's icon in the notification area, identified by its owner window and id. It
// keeps itself there for the object's life: while Explorer is still starting it tries again once
// a second for a minute, and it comes back when Explorer restarts ("TaskbarCreated"). It goes
// when the object goes. The tip is the program's status line, cut to what the shell can show.
// One key press on the icon is one event, however often the shell reports it
// (key_select_debouncer.h).
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <string_view>

#include "common/win32/unique_handle.h"
#include "orlisk/tray_menu.h"
#include "orlisk/win32/key_select_debouncer.h"

namespace lyrics::orlisk::win32 {

// The shell's tip holds 128 characters with the terminating NUL.
inline constexpr std::size_t kMaxTipLength = 127;

// text as the shell can show it: unchanged when it fits, else cut and ended with "…"
// (never between the two halves of a surrogate pair).
std::wstring FitTip(std::wstring_view text);

// What a mouse event on the icon means to the program: kTrayButtonFirst for the first button,
// kTrayButtonSecond for the second, 0 for everything else, and where a menu should appear.
struct TrayButtonEvent {
    int buttonCode = 0;
    POINT anchor{};
};

class TrayIcon {
public:
    // owner's icon number id, which sends callbackMessage to owner; not in the tray until Add.
    TrayIcon(HWND owner, UINT id, UINT callbackMessage, UniqueHicon icon, std::wstring tip);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon();

    // Puts the icon into the notification area, now or, while the shell is not ready, by the
    // retries; from then on it comes back by itself whenever Explorer restarts.
    void Add();
    bool IsAdded() const noexcept { return added_; }

    // The owner's window procedure hands every message here first. True when the message was
    // the icon's own (Explorer's "TaskbarCreated", the retry timer), which the owner then leaves.
    bool OnOwnerMessage(UINT message, WPARAM wParam);

    // Replaces the whole tip text, cut to fit.
    void SetTip(std::wstring_view text);
    const std::wstring& Tip() const noexcept { return tip_; }

    // Decodes the callback message the shell sent for this icon. A NIN_KEYSELECT that repeats the
    // last key press decodes as no event.
    TrayButtonEvent Decode(WPARAM wParam, LPARAM lParam);
    // The owner has acted on the event Decode gave; a key press's repeats are measured from now.
    void EventHandled();

private:
    NOTIFYICONDATAW BaseData() const;
    bool TryAdd();
    void Remove() noexcept;
    // The retry timer's id on the owner: the object's address, which no id the owner picks for
    // its own timers (small numbers) can equal.
    UINT_PTR RetryTimerId() const noexcept { return reinterpret_cast<UINT_PTR>(this); }
    void StopRetrying() noexcept;

    HWND owner_;
    UINT id_;
    UINT callbackMessage_;
    UINT taskbarCreatedMessage_;
    UniqueHicon icon_;
    std::wstring tip_;
    int addAttempts_ = 0;
    bool wanted_ = false;  // Add was called: the icon belongs in the tray
    bool added_ = false;
    bool retrying_ = false;
    bool version4_ = false;
    KeySelectDebouncer keySelect_;
};

}  // namespace lyrics::orlisk::win32
