#include "orlisk/win32/tray_icon.h"

#include <windowsx.h>

#include <cwchar>

namespace lyrics::orlisk::win32 {

namespace {

constexpr UINT kRetryIntervalMs = 1000;
constexpr int kRetryLimit = 60;

}  // namespace

std::wstring FitTip(std::wstring_view text) {
    if (text.size() <= kMaxTipLength) return std::wstring(text);
    std::size_t keep = kMaxTipLength - 1;
    if (IS_HIGH_SURROGATE(text[keep - 1])) --keep;
    std::wstring fitted(text.substr(0, keep));
    fitted += L'\u2026';
    return fitted;
}

TrayIcon::TrayIcon(HWND owner, UINT id, UINT callbackMessage, UniqueHicon icon, std::wstring tip)
    : owner_(owner),
      id_(id),
      callbackMessage_(callbackMessage),
      taskbarCreatedMessage_(::RegisterWindowMessageW(L"TaskbarCreated")),
      icon_(std::move(icon)),
      tip_(FitTip(tip)) {
    // Explorer runs at a higher integrity level than some users' programs; let its message in.
    if (taskbarCreatedMessage_) ::ChangeWindowMessageFilterEx(owner_, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
}

TrayIcon::~TrayIcon() {
    StopRetrying();
    Remove();
}

NOTIFYICONDATAW TrayIcon::BaseData() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = id_;
    return data;
}

void TrayIcon::Add() {
    wanted_ = true;
    addAttempts_ = 0;
    if (TryAdd()) {
        StopRetrying();
        return;
    }
    // While Explorer starts, the first NIM_ADD can fail.
    retrying_ = ::SetTimer(owner_, RetryTimerId(), kRetryIntervalMs, nullptr) != 0;
}

bool TrayIcon::OnOwnerMessage(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && retrying_ && wParam == RetryTimerId()) {
        if (TryAdd() || addAttempts_ >= kRetryLimit) StopRetrying();
        return true;
    }
    if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
        if (wanted_) Add();
        return true;
    }
    return false;
}

bool TrayIcon::TryAdd() {
    ++addAttempts_;
    NOTIFYICONDATAW data = BaseData();
    // NIF_SHOWTIP: under version 4 the shell shows the standard tip only when asked to.
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_.get();
    wcsncpy_s(data.szTip, ARRAYSIZE(data.szTip), tip_.c_str(), _TRUNCATE);
    // After an Explorer restart the old entry is gone, but a stale one may linger in some shells.
    if (added_) ::Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    if (!added_) return false;

    // Version 4 sends the anchor point with every event and WM_CONTEXTMENU for the second button
    // and the keyboard; shells that refuse it fall back to plain mouse messages.
    data.uVersion = NOTIFYICON_VERSION_4;
    version4_ = ::Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
    return true;
}

void TrayIcon::StopRetrying() noexcept {
    if (retrying_) ::KillTimer(owner_, RetryTimerId());
    retrying_ = false;
}

void TrayIcon::Remove() noexcept {
    if (!added_) return;
    NOTIFYICONDATAW data = BaseData();
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
}

void TrayIcon::SetTip(std::wstring_view text) {
    tip_ = FitTip(text);
    if (!added_) return;
    NOTIFYICONDATAW data = BaseData();
    data.uFlags = NIF_TIP | NIF_SHOWTIP;
    wcsncpy_s(data.szTip, ARRAYSIZE(data.szTip), tip_.c_str(), _TRUNCATE);
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

TrayButtonEvent TrayIcon::Decode(WPARAM wParam, LPARAM lParam) {
    TrayButtonEvent event;
    UINT message = 0;
    if (version4_) {
        message = LOWORD(lParam);
        // The anchor comes as signed screen coordinates: monitors left of or above the primary
        // one have negative positions, which LOWORD would turn into large positive ones.
        event.anchor = POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
    } else {
        message = static_cast<UINT>(lParam);
        ::GetCursorPos(&event.anchor);
    }

    switch (message) {
        case WM_LBUTTONUP:
            event.buttonCode = kTrayButtonFirst;
            break;
        case NIN_KEYSELECT:
            if (keySelect_.StartPress(::GetTickCount(), ::GetDoubleClickTime())) event.buttonCode = kTrayButtonFirst;
            break;
        case WM_CONTEXTMENU:
            event.buttonCode = kTrayButtonSecond;
            break;
        case WM_RBUTTONUP:
            // Under version 4 the same click also arrives as WM_CONTEXTMENU, which is the one acted on.
            if (!version4_) event.buttonCode = kTrayButtonSecond;
            break;
        default:
            break;
    }
    return event;
}

void TrayIcon::EventHandled() { keySelect_.PressHandled(::GetTickCount()); }

}  // namespace lyrics::orlisk::win32
