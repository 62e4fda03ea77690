#include "orlisk/win32/settings_window.h"

#include "orlisk/win32/orlisk_resources.h"
#include "orlisk/win32/settings_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <vector>

namespace lyrics::orlisk::win32 {

namespace {

constexpr UINT_PTR tmrAutoId = 1;
// While Explorer starts, the first NIM_ADD can fail; it is tried again once a second for a minute.
constexpr UINT_PTR trayRetryTimerId = 2;
constexpr UINT trayRetryInterval = 1000;
constexpr int trayRetryLimit = 60;

constexpr UINT trayCallbackMessage = WM_APP + 1;
constexpr UINT trayIconId = 1;

// No WS_CLIPCHILDREN: the frame paints only its border and caption, so the form must paint the
// face colour inside it.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD windowExStyle = WS_EX_CONTROLPARENT;

// The form's font, MS Sans Serif 8.25 pt, at the window's DPI.
constexpr wchar_t fontFace[] = L"MS Sans Serif";
constexpr int fontHundredthsOfPoint = 825;

UniqueHfont MakeFont(UINT dpi, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(fontHundredthsOfPoint, static_cast<int>(dpi), 72 * 100);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy_s(font.lfFaceName, LF_FACESIZE, fontFace, _TRUNCATE);
    return UniqueHfont(::CreateFontIndirectW(&font));
}

UniqueHicon LoadProgramIcon(HINSTANCE instance, int width, int height) {
    return UniqueHicon(
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_ORLISK), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

bool IsCheckOrOption(const ControlLayout& control) {
    const DWORD kind = control.style & BS_TYPEMASK;
    return kind == BS_AUTOCHECKBOX || kind == BS_AUTORADIOBUTTON;
}

// A font other than the one the form was drawn with can need more room than the form gave a
// check box; then it grows to the right, up to the window's edge, instead of cutting its caption.
int WidthToShowCaption(const ControlLayout& control, HFONT font, int left, int width, UINT dpi) {
    const WindowDc dc;
    if (!dc.get()) return width;
    const ObjectSelection selection(dc.get(), font);
    SIZE text{};
    const int length = static_cast<int>(std::wcslen(control.caption));
    if (!::GetTextExtentPoint32W(dc.get(), control.caption, length, &text)) return width;

    // The box or circle, the gap after it and room for the focus rectangle.
    const int needed = text.cx + ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + ::MulDiv(8, static_cast<int>(dpi), 96);
    const int room = TwipsToPixels(formWidthTwips, dpi) - left;
    return std::max(width, std::min(needed, room));
}

SIZE WindowSizeForClient(UINT dpi) {
    RECT frame{0, 0, TwipsToPixels(formWidthTwips, dpi), TwipsToPixels(formHeightTwips, dpi)};
    ::AdjustWindowRectExForDpi(&frame, windowStyle, FALSE, windowExStyle, dpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

SettingsWindow::SettingsWindow(SettingsWindowEvents& events) : events_(events) {}

SettingsWindow::~SettingsWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool SettingsWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_ORLISK), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hIconSm =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_ORLISK), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                        ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    const SIZE size = WindowSizeForClient(USER_DEFAULT_SCREEN_DPI);
    const std::wstring caption(kSettingsCaption);
    return ::CreateWindowExW(windowExStyle, className, caption.c_str(), windowStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                             size.cy, nullptr, nullptr, instance, this) != nullptr;
}

LRESULT CALLBACK SettingsWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SettingsWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SettingsWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // An exception must not unwind through the system's code that called us.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT SettingsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam));
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case trayCallbackMessage:
            OnTrayCallback(wParam, lParam);
            return 0;
        default:
            if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
                OnTaskbarCreated();
                return 0;
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT SettingsWindow::OnCreate() {
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    // Explorer runs at a higher integrity level than some users' programs; let its message in.
    if (taskbarCreatedMessage_) ::ChangeWindowMessageFilterEx(hwnd_, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);

    CreateControls();
    ApplyDpi(::GetDpiForWindow(hwnd_));
    // The window was made for 96 DPI before it knew its monitor; now it takes its real size.
    const SIZE size = WindowSizeForClient(dpi_);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetSizeIndex(kSizeNormal);
    SetCheck(idChkStartup, CheckState::Checked);

    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    const UINT dpi = ::GetDpiForSystem();
    trayIcon_ = std::make_unique<TrayIcon>(
        hwnd_, trayIconId, trayCallbackMessage,
        LoadProgramIcon(instance, ::GetSystemMetricsForDpi(SM_CXSMICON, dpi), ::GetSystemMetricsForDpi(SM_CYSMICON, dpi)),
        pendingTip_);
    AddTrayIcon();
    return 0;
}

void SettingsWindow::CreateControls() {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    for (const ControlLayout& control : FormLayout()) {
        ::CreateWindowExW(control.exStyle, control.windowClass, control.caption, control.style, 0, 0, 0, 0, hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    }
}

void SettingsWindow::ApplyDpi(UINT dpi) {
    dpi_ = dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
    regularFont_ = MakeFont(dpi_, false);
    boldFont_ = MakeFont(dpi_, true);

    HDWP positions = ::BeginDeferWindowPos(static_cast<int>(FormLayout().size()));
    for (const ControlLayout& control : FormLayout()) {
        const HWND window = Control(control.id);
        if (!window) continue;
        const HFONT font = control.bold ? boldFont_.get() : regularFont_.get();
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const int left = TwipsToPixels(control.left, dpi_);
        int width = TwipsToPixels(control.width, dpi_);
        if (IsCheckOrOption(control)) width = WidthToShowCaption(control, font, left, width, dpi_);
        if (positions)
            positions = ::DeferWindowPos(positions, window, nullptr, left, TwipsToPixels(control.top, dpi_), width,
                                         TwipsToPixels(control.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions) ::EndDeferWindowPos(positions);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void SettingsWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    // The suggested rectangle keeps the window where the user dragged it; its size is our own,
    // computed for the new DPI, so that rounding in the system's guess cannot clip the form.
    const SIZE size = WindowSizeForClient(dpi_);
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsWindow::OnCommand(int id, int notifyCode) {
    // Menu commands and accelerators carry 0 or 1; controls carry BN_CLICKED (0) for a press.
    if (notifyCode != BN_CLICKED) return;
    switch (id) {
        case idCmdBrowse:
            events_.cmdBrowse_Click();
            break;
        case idCmdOK:
        case IDCANCEL:  // Esc: OK is also the cancel button
            events_.cmdOK_Click();
            break;
        case idCmdExit:
            events_.cmdExit_Click();
            break;
        case idCmdHelp:
            events_.cmdHelp_Click();
            break;
        case idChkStartup:
            LeaveGreyedStyle(idChkStartup);
            events_.chkStartup_Click();
            break;
        case idChkAuto:
            LeaveGreyedStyle(idChkAuto);
            events_.chkAuto_Click();
            break;
        default:
            break;
    }
}

void SettingsWindow::OnTimer(UINT_PTR timerId) {
    if (timerId == tmrAutoId) {
        events_.tmrAuto_Timer();
    } else if (timerId == trayRetryTimerId) {
        AddTrayIcon();
    }
}

LRESULT SettingsWindow::OnCtlColorStatic(HDC dc) {
    // Labels, check boxes, option buttons and the frame sit on the form's face colour.
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void SettingsWindow::OnClose() {
    // The close box acts as Esc does, that is as "OK": the settings are kept and the program
    // stays in the tray. Ending the program is "Exit Program"'s job, which also saves.
    events_.cmdOK_Click();
}

void SettingsWindow::OnDestroy() {
    ::KillTimer(hwnd_, tmrAutoId);
    ::KillTimer(hwnd_, trayRetryTimerId);
    timerRunning_ = false;
    trayIcon_.reset();
    ::PostQuitMessage(0);
}

void SettingsWindow::OnTrayCallback(WPARAM wParam, LPARAM lParam) {
    if (!trayIcon_) return;
    const TrayButtonEvent event = trayIcon_->Decode(wParam, lParam);
    if (event.buttonCode != 0) events_.cSysTray_MouseUp(event.buttonCode, event.anchor);
}

void SettingsWindow::OnTaskbarCreated() {
    trayAddAttempts_ = 0;
    AddTrayIcon();
}

void SettingsWindow::AddTrayIcon() {
    if (!trayIcon_) return;
    if (trayIcon_->Add()) {
        ::KillTimer(hwnd_, trayRetryTimerId);
        trayAddAttempts_ = 0;
        return;
    }
    if (++trayAddAttempts_ < trayRetryLimit) {
        ::SetTimer(hwnd_, trayRetryTimerId, trayRetryInterval, nullptr);
    } else {
        ::KillTimer(hwnd_, trayRetryTimerId);
    }
}

void SettingsWindow::Show() {
    if (!hwnd_) return;
    if (!centred_) {
        centred_ = true;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
            RECT window{};
            ::GetWindowRect(hwnd_, &window);
            const RECT& area = monitor.rcWork;
            const int width = window.right - window.left;
            const int height = window.bottom - window.top;
            ::SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
                           area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::ShowWindow(hwnd_, SW_SHOWNORMAL);
        ::SetFocus(Control(idTxtPath));
    } else {
        ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    }
    ::SetForegroundWindow(hwnd_);
}

void SettingsWindow::Hide() {
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
}

bool SettingsWindow::IsShown() const { return hwnd_ && ::IsWindowVisible(hwnd_); }

void SettingsWindow::Close() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

WindowHandle SettingsWindow::Handle() const { return reinterpret_cast<std::uintptr_t>(hwnd_); }

std::wstring SettingsWindow::Caption() const { return std::wstring(kSettingsCaption); }

std::wstring SettingsWindow::PathText() const {
    const HWND edit = Control(idTxtPath);
    const int length = ::GetWindowTextLengthW(edit);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(edit, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void SettingsWindow::SetPathText(std::wstring_view text) {
    const std::wstring copy(text);
    ::SetWindowTextW(Control(idTxtPath), copy.c_str());
}

int SettingsWindow::SizeIndex() const {
    for (int index = 0; index < 3; ++index)
        if (::IsDlgButtonChecked(hwnd_, idOptSize0 + index) == BST_CHECKED) return index;
    return 0;
}

void SettingsWindow::SetSizeIndex(int index) {
    if (index < kSizeNormal || index > kSizeMaximized) return;
    ::CheckRadioButton(hwnd_, idOptSize0, idOptSize2, idOptSize0 + index);
}

CheckState SettingsWindow::Check(int id) const {
    switch (::IsDlgButtonChecked(hwnd_, id)) {
        case BST_CHECKED:
            return CheckState::Checked;
        case BST_INDETERMINATE:
            return CheckState::Greyed;
        default:
            return CheckState::Unchecked;
    }
}

void SettingsWindow::SetCheck(int id, CheckState state) {
    // A greyed state needs a three-state box; the user still can only toggle checked/unchecked,
    // since the style goes back to two states once the box leaves the greyed state.
    const HWND box = Control(id);
    if (!box) return;
    const bool threeState = state == CheckState::Greyed;
    ::SendMessageW(box, BM_SETSTYLE, threeState ? BS_AUTO3STATE : BS_AUTOCHECKBOX, FALSE);
    ::SendMessageW(box, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void SettingsWindow::LeaveGreyedStyle(int id) {
    if (Check(id) != CheckState::Greyed) ::SendMessageW(Control(id), BM_SETSTYLE, BS_AUTOCHECKBOX, FALSE);
}

CheckState SettingsWindow::StartupState() const { return Check(idChkStartup); }
void SettingsWindow::SetStartupState(CheckState state) { SetCheck(idChkStartup, state); }
CheckState SettingsWindow::AutoState() const { return Check(idChkAuto); }
void SettingsWindow::SetAutoState(CheckState state) { SetCheck(idChkAuto, state); }

void SettingsWindow::SetTimerRunning(bool running) {
    if (!hwnd_) return;
    if (running) {
        // SetTimer on a running timer restarts it, which a tick already under way would not expect.
        if (!timerRunning_) timerRunning_ = ::SetTimer(hwnd_, tmrAutoId, kAutoIntervalMs, nullptr) != 0;
    } else {
        ::KillTimer(hwnd_, tmrAutoId);
        timerRunning_ = false;
    }
}

void SettingsWindow::SetTip(std::wstring_view text) {
    pendingTip_ = FitTip(text);
    if (trayIcon_) trayIcon_->SetTip(pendingTip_);
}

const std::wstring& SettingsWindow::TipText() const { return pendingTip_; }

bool SettingsWindow::PreTranslate(MSG& msg) {
    if (!hwnd_ || !::IsWindowVisible(hwnd_)) return false;
    if (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd)) return false;
    return ::IsDialogMessageW(hwnd_, &msg) != FALSE;
}

}  // namespace lyrics::orlisk::win32
