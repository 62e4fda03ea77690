// SettingsWindow (frmMain): Orlisk's one window. It is created hidden and lives as long as the
// program: it carries the tray icon, the song-change timer tmrAuto and the settings controls.
// Those controls are the live settings, so the window is the logic's SettingsControls port, and
// its tray icon is the logic's TrayTip. What a click means is decided by the
// SettingsWindowEvents it reports to; this class only keeps the window.
//
// The form itself (controls, fonts, DPI) is FormWindow's, the icon's life in the tray is
// TrayIcon's; this class keeps what is Orlisk's own.
#pragma once

#include <memory>
#include <string>

#include "common/win32/form_window.h"
#include "orlisk/settings_controls.h"
#include "orlisk/tray_tip.h"
#include "orlisk/win32/tray_icon.h"

namespace lyrics::orlisk::win32 {

// What happens in the window, one call per handler of the form.
class SettingsWindowEvents {
public:
    virtual ~SettingsWindowEvents() = default;
    virtual void cmdBrowse_Click() = 0;
    virtual void cmdOK_Click() = 0;
    virtual void cmdExit_Click() = 0;
    virtual void cmdHelp_Click() = 0;
    virtual void chkStartup_Click() = 0;
    virtual void chkAuto_Click() = 0;
    virtual void tmrAuto_Timer() = 0;
    // A mouse event on the tray icon, as button code 1 (first) or 2 (second); anchor in screen pixels.
    virtual void cSysTray_MouseUp(int buttonCode, POINT anchor) = 0;
};

class SettingsWindow final : public FormWindow, public SettingsControls, public TrayTip {
public:
    explicit SettingsWindow(SettingsWindowEvents& events);
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
    // cmdOK_Click for the button, Enter, Esc and the close box alike.
    void PressOK();
    void ShowFolderRefused();
    void OnTrayCallback(WPARAM wParam, LPARAM lParam);

    CheckState Check(int id) const;
    void SetCheck(int id, CheckState state);
    void LeaveGreyedStyle(int id);

    SettingsWindowEvents& events_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::wstring pendingTip_{kFirstTip};
    bool timerRunning_ = false;
    bool centred_ = false;
};

}  // namespace lyrics::orlisk::win32
