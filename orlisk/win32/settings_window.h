// SettingsWindow (frmMain): Orlisk's one window. It is created hidden and lives as long as the
// program: it carries the tray icon, the song-change timer tmrAuto and the settings controls.
// Those controls are the live settings, so the window is the logic's SettingsControls port, and
// its tray icon is the logic's TrayTip. What a click means is decided by the
// SettingsWindowEvents it reports to; this class only keeps the window.
#pragma once

#include "common/win32/unique_handle.h"
#include "orlisk/settings_controls.h"
#include "orlisk/tray_tip.h"
#include "orlisk/win32/tray_icon.h"

#include <memory>
#include <string>

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

class SettingsWindow final : public SettingsControls, public TrayTip {
public:
    static constexpr wchar_t className[] = L"OrliskSettingsWindow";

    explicit SettingsWindow(SettingsWindowEvents& events);
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;
    ~SettingsWindow() override;

    // Creates the window hidden, with its icon in the tray. False when Windows refused.
    bool Create(HINSTANCE instance);
    HWND Hwnd() const noexcept { return hwnd_; }
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
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT OnCreate();
    void OnCommand(int id, int notifyCode);
    void OnTimer(UINT_PTR timerId);
    LRESULT OnCtlColorStatic(HDC dc);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnClose();
    void OnDestroy();
    void OnTrayCallback(WPARAM wParam, LPARAM lParam);
    void OnTaskbarCreated();

    void CreateControls();
    void ApplyDpi(UINT dpi);
    void AddTrayIcon();
    HWND Control(int id) const { return ::GetDlgItem(hwnd_, id); }
    CheckState Check(int id) const;
    void SetCheck(int id, CheckState state);
    void LeaveGreyedStyle(int id);

    SettingsWindowEvents& events_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    UINT taskbarCreatedMessage_ = 0;
    UniqueHfont regularFont_;
    UniqueHfont boldFont_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::wstring pendingTip_{kFirstTip};
    int trayAddAttempts_ = 0;
    bool timerRunning_ = false;
    bool centred_ = false;
};

}  // namespace lyrics::orlisk::win32
