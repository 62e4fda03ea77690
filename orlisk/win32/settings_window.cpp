#include "orlisk/win32/settings_window.h"

#include "common/quoted_path.h"
#include "orlisk/win32/box_balloon.h"
#include "orlisk/win32/single_instance.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "common/win32/dpi.h"
#include "common/win32/program_loop.h"
#include "orlisk/win32/orlisk_resources.h"
#include "orlisk/win32/settings_layout.h"

namespace lyrics::orlisk::win32 {

namespace {

constexpr UINT_PTR kTmrAutoId = 1;

constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;

UniqueHicon LoadProgramIcon(HINSTANCE instance, int width, int height) {
    return UniqueHicon(
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_ORLISK), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

bool IsCheckOrOption(const ControlTemplate& control) {
    const DWORD kind = control.style & BS_TYPEMASK;
    return std::wstring_view(control.windowClass) == L"BUTTON" && (kind == BS_AUTOCHECKBOX || kind == BS_AUTORADIOBUTTON);
}

}  // namespace

SettingsWindow::SettingsWindow(SettingsEventSink events) : FormWindow(kSettingsForm), events_(std::move(events)) {}

SettingsWindow::~SettingsWindow() {
    // Here rather than in the base, so that OnDestroy still finds the tray icon and the timer.
    Destroy();
}

bool SettingsWindow::Create(HINSTANCE instance) {
    // Made at 96 DPI before it knows its monitor; OnCreate gives it its real size.
    return CreateFromTemplate(instance, kSettingsForm.window, POINT{CW_USEDEFAULT, CW_USEDEFAULT}, WindowSize());
}

LRESULT SettingsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (trayIcon_ && trayIcon_->OnOwnerMessage(message, wParam)) return 0;
    if (message == ShowSettingsMessage()) {
        Show();  // another Orlisk, started while this one runs, asks for the window
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam));
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return FormWindow::HandleMessage(message, wParam, lParam);  // the form's own share
        case kTrayCallbackMessage:
            OnTrayCallback(wParam, lParam);
            return 0;
        default:
            return FormWindow::HandleMessage(message, wParam, lParam);
    }
}

RECT SettingsWindow::FitControl(const ControlTemplate& control, const RECT& rect, HFONT font) const {
    // A font other than the one the form was drawn with can need more room than the form gave a
    // check box; then it grows to the right, up to the window's edge, instead of cutting its caption.
    SIZE text{};
    if (!IsCheckOrOption(control) || !MeasureText(font, control.caption, text))
        return FormWindow::FitControl(control, rect, font);
    // The box or circle, the gap after it and room for the focus rectangle.
    const int needed = text.cx + SystemMetricForDpi(SM_CXMENUCHECK, Dpi()) + ::MulDiv(8, static_cast<int>(Dpi()), 96);
    const int room = TwipsToPixels(kFormWidthTwips, Dpi()) - rect.left;
    const int width = std::max<int>(rect.right - rect.left, std::min(needed, room));
    return RECT{rect.left, rect.top, rect.left + width, rect.bottom};
}

void SettingsWindow::OnCreate() {
    BuildForm();
    SizeToForm();
    SetSizeIndex(kSizeNormal);
    SetCheck(kIdChkStartup, CheckState::Checked);

    const UINT dpi = SystemDpi();
    trayIcon_ = std::make_unique<TrayIcon>(
        Hwnd(), kTrayIconId, kTrayCallbackMessage,
        LoadProgramIcon(Instance(), SystemMetricForDpi(SM_CXSMICON, dpi), SystemMetricForDpi(SM_CYSMICON, dpi)), pendingTip_);
    trayIcon_->Add();
}

void SettingsWindow::OnCommand(int id, int notifyCode) {
    // The reason for a refused folder stays until the folder is typed again.
    if (id == kIdTxtPath && notifyCode == EN_CHANGE) return folderBalloon_.Hide();
    // Menu commands and accelerators carry 0 or 1; controls carry BN_CLICKED (0) for a press.
    if (notifyCode != BN_CLICKED) return;
    switch (id) {
        case kIdCmdBrowse:
            return events_({SettingsEvent::cmdBrowse_Click});
        case kIdCmdOK:
        case IDCANCEL:  // Esc: OK is also the cancel button
            return PressOK();
        case kIdCmdExit:
            return events_({SettingsEvent::cmdExit_Click});
        case kIdCmdHelp:
            return events_({SettingsEvent::cmdHelp_Click});
        case kIdChkStartup:
            LeaveGreyedStyle(kIdChkStartup);
            return events_({SettingsEvent::chkStartup_Click});
        case kIdChkAuto:
            LeaveGreyedStyle(kIdChkAuto);
            return events_({SettingsEvent::chkAuto_Click});
        default:
            return;
    }
}

void SettingsWindow::OnTimer(UINT_PTR timerId) {
    if (timerId == kTmrAutoId) events_({SettingsEvent::tmrAuto_Timer});
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
    PressOK();
}

void SettingsWindow::PressOK() {
    events_({SettingsEvent::cmdOK_Click});
    // OK hides the window unless the folder failed the check; a window left open is the answer,
    // and the user must see that it is one, not think OK broken.
    if (IsShown()) ShowFolderRefused();
}

void SettingsWindow::ShowFolderRefused() {
    ::MessageBeep(MB_ICONWARNING);
    FocusAndSelectAll(Control(kIdTxtPath));
    const RefusedFolderWords words = RefusedFolderWordsFor(std::wstring(UnquotedPath(PathText())));
    folderBalloon_.Show(Control(kIdTxtPath), words.title, words.text);
}

void SettingsWindow::OnDestroy() {
    ::KillTimer(Hwnd(), kTmrAutoId);
    timerRunning_ = false;
    trayIcon_.reset();
    ::PostQuitMessage(0);
}

void SettingsWindow::OnTrayCallback(WPARAM wParam, LPARAM lParam) {
    if (!trayIcon_) return;
    const TrayButtonEvent event = trayIcon_->Decode(wParam, lParam);
    if (event.buttonCode == 0) return;
    // The icon learns when the action ended, even when the handler failed; "Exit" takes the icon
    // with the window.
    struct Handled {
        SettingsWindow& window;
        ~Handled() {
            if (window.trayIcon_) window.trayIcon_->EventHandled();
        }
    } handled{*this};
    events_({SettingsEvent::cSysTray_MouseEvent, event});
}

void SettingsWindow::Show() {
    if (!Hwnd()) return;
    if (!centred_) {
        centred_ = true;
        CentreOnMonitor();
    }
    ::ShowWindow(Hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(Hwnd());
    RestoreFocus();
}

void SettingsWindow::Hide() {
    if (!Hwnd()) return;
    RememberFocus();
    folderBalloon_.Hide();
    ::ShowWindow(Hwnd(), SW_HIDE);
}

void SettingsWindow::OnActivate(bool active) {
    if (active) {
        RestoreFocus();
    } else {
        RememberFocus();
    }
}

void SettingsWindow::RememberFocus() {
    const HWND focus = ::GetFocus();
    if (focus && ::IsChild(Hwnd(), focus)) lastFocus_ = focus;
}

void SettingsWindow::RestoreFocus() {
    // Like a dialog, the window gives the focus back to the control last used; the folder box
    // the first time.
    ::SetFocus(lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : Control(kIdTxtPath));
}

bool SettingsWindow::IsShown() const { return Hwnd() && ::IsWindowVisible(Hwnd()); }

void SettingsWindow::Close() { Destroy(); }

WindowHandle SettingsWindow::Handle() const { return reinterpret_cast<std::uintptr_t>(Hwnd()); }

std::wstring SettingsWindow::Caption() const { return std::wstring(kSettingsCaption); }

std::wstring SettingsWindow::PathText() const { return ControlText(kIdTxtPath); }

void SettingsWindow::SetPathText(std::wstring_view text) {
    const std::wstring copy(text);
    ::SetWindowTextW(Control(kIdTxtPath), copy.c_str());
}

int SettingsWindow::SizeIndex() const {
    for (int index = 0; index < 3; ++index)
        if (::IsDlgButtonChecked(Hwnd(), kIdOptSize0 + index) == BST_CHECKED) return index;
    return 0;
}

void SettingsWindow::SetSizeIndex(int index) {
    if (index < kSizeNormal || index > kSizeMaximized) return;
    ::CheckRadioButton(Hwnd(), kIdOptSize0, kIdOptSize2, kIdOptSize0 + index);
}

CheckState SettingsWindow::Check(int id) const {
    switch (::IsDlgButtonChecked(Hwnd(), id)) {
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

CheckState SettingsWindow::StartupState() const { return Check(kIdChkStartup); }
void SettingsWindow::SetStartupState(CheckState state) { SetCheck(kIdChkStartup, state); }
CheckState SettingsWindow::AutoState() const { return Check(kIdChkAuto); }
void SettingsWindow::SetAutoState(CheckState state) { SetCheck(kIdChkAuto, state); }

void SettingsWindow::SetTimerRunning(bool running) {
    if (!Hwnd()) return;
    if (running) {
        // SetTimer on a running timer restarts it, which a tick already under way would not expect.
        if (!timerRunning_) timerRunning_ = ::SetTimer(Hwnd(), kTmrAutoId, kAutoIntervalMs, nullptr) != 0;
    } else {
        ::KillTimer(Hwnd(), kTmrAutoId);
        timerRunning_ = false;
    }
}

void SettingsWindow::SetTip(std::wstring_view text) {
    pendingTip_ = FitTip(text);
    if (trayIcon_) trayIcon_->SetTip(pendingTip_);
}

const std::wstring& SettingsWindow::TipText() const { return pendingTip_; }

bool SettingsWindow::PreTranslate(MSG& msg) { return TakeDialogKey(Hwnd(), msg); }

}  // namespace lyrics::orlisk::win32
