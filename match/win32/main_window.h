// frmMain: Match's one window. It holds the two paths the user types or picks and runs the match
// from them; the window ends the program when it goes.
//
// The window procedure only routes messages to the handlers below. The object lives in the
// caller's scope and is reached from the window through GWLP_USERDATA while the window exists.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/unique_handle.h"
#include "match/match_run.h"

namespace match {

class MainWindow {
public:
    MainWindow() = default;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the window class once per process.
    static bool Register(HINSTANCE instance);

    // Creates the window hidden, laid out and centred on the primary monitor at its DPI.
    bool Create(HINSTANCE instance);

    HWND Handle() const noexcept { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Window events.
    bool OnCreate();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnCommand(int id, int code, HWND control);
    void OnActivate(bool active);
    bool OnSetCursor();
    void OnFocusMoved();
    void OnDestroy();

    // Control events.
    void cmdMatch_Click();
    void cmdHelp_Click();
    void cmdExit_Click();
    void cmdBrowse_Click();
    void cmdOpen_Click();

    // Reads both boxes, runs the match and reports its end: the offer of the list, or the reason
    // there is no list.
    void RunMatchFromBoxes();
    void ShowInvalidInput(lyrics::match::InputCheck check);
    void ShowFailure(const std::wstring& message);

    void CreateControls();
    void ApplyDpi(UINT dpi);
    void LayOutControls();
    void SetFormFonts();
    void SetWindowIcons();
    SIZE WindowSizeForClient() const;

    HWND Control(int id) const noexcept { return ::GetDlgItem(window_, id); }
    std::wstring ControlText(int id) const;
    // The button that Enter presses: the focused push button, else cmdMatch; drawn as such.
    void ShowDefaultButton(HWND focusedButton);

    friend class WaitCursorScope;

    HWND window_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    lyrics::UniqueHfont regularFont_;
    lyrics::UniqueHfont boldFont_;
    lyrics::UniqueHicon bigIcon_;
    lyrics::UniqueHicon smallIcon_;
    HWND lastFocus_ = nullptr;
    bool busy_ = false;  // a run is in progress: the pointer over the window is the hourglass
};

}  // namespace match
