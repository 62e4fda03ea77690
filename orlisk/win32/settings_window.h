// SettingsWindow (frmMain): Orlisk's one window. It is created hidden and lives as long as the
// program: it carries the tray icon, the song-change timer tmrAuto and the settings controls.
// Those controls are the live settings, so the window is the logic's SettingsControls port, and
// its tray icon is the logic's TrayTip. What a click means is decided by whoever receives its
// events; this class only keeps the window.
//
// The form itself (controls, fonts, DPI) is FormWindow's, the icon's life in the tray is
// TrayIcon's; this class keeps what is Orlisk's own.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/win32/form_window.h"
#include "orlisk/settings_controls.h"
#include "orlisk/tray_tip.h"
#include "orlisk/win32/box_balloon.h"
#include "orlisk/win32/tray_icon.h"

namespace lyrics::orlisk::win32 {

// What happens in the window: one value per event of its controls, named after its handler.
enum class SettingsEvent {
    cmdBrowse_Click,
    cmdOK_Click,
    cmdExit_Click,
    cmdHelp_Click,
    chkStartup_Click,
    chkAuto_Click,
    tmrAuto_Timer,
    cSysTray_MouseEvent,
};

// One event as the window reports it; the tray icon's carries its button code (1 or 2) and the
// point, in screen pixels, where a menu should appear.
struct SettingsWindowEvent {
    SettingsEvent event;
    TrayButtonEvent tray{};
};

using SettingsEventSink = std::function<void(const SettingsWindowEvent&)>;

class SettingsWindow final : public FormWindow, public SettingsControls, public TrayTip {
public:
    explicit SettingsWindow(SettingsEventSink events);
    ~SettingsWindow() override;

    // Creates the window hidden, with its icon in the tray. False when Windows refused.
    bool Create(HINSTANCE instance);
    // Ends the window and with it the tray icon, the timer and the message loop.
    void Close();

    const std::wstring& TipText() const;

    // Lets the window turn Tab, Enter and Esc into its own navigation; true when msg was used.
    bool PreTranslate(MSG& msg);

    // SettingsControls
    WindowHandle Handle() const override;
    std::wstring Caption() const override;
    std::wstring PathText() const override;
    void SetPathText(std::wstring_view text) override;
    int SizeIndex() const override;
    void SetSizeIndex(int index) override;
    CheckState StartupState() const override;
    void SetStartupState(CheckState state) override;
    CheckState AutoState() const override;
    void SetAutoState(CheckState state) override;
    bool IsShown() const override;
    void Show() override;
    void Hide() override;
    bool TimerRunning() const override { return timerRunning_; }
    void SetTimerRunning(bool running) override;

    // TrayTip
    void SetTip(std::wstring_view text) override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    RECT FitControl(const ControlTemplate& control, const RECT& rect, HFONT font) const override;

    void OnCreate();
    void OnCommand(int id, int notifyCode);
    void OnTimer(UINT_PTR timerId);
    LRESULT OnCtlColorStatic(HDC dc);
    void OnClose();
    void OnDestroy();
    void OnActivate(bool active);
    // The control with the focus, kept while the window is away; given back when it returns.
    void RememberFocus();
    void RestoreFocus();
    // cmdOK_Click for the button, Enter, Esc and the close box alike.
    void PressOK();
    void ShowFolderRefused();
    void OnTrayCallback(WPARAM wParam, LPARAM lParam);

    CheckState Check(int id) const;
    void SetCheck(int id, CheckState state);
    void LeaveGreyedStyle(int id);

    SettingsEventSink events_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::wstring pendingTip_{kFirstTip};
    bool timerRunning_ = false;
    bool centred_ = false;
    HWND lastFocus_ = nullptr;
    BoxBalloon folderBalloon_;
};

}  // namespace lyrics::orlisk::win32
