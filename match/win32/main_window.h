// MainWindow (frmMain): Match's one window. It holds the two paths the user types or picks and
// runs the match from them; the window ends the program when it goes.
//
// The form itself (controls, fonts, DPI) is FormWindow's; this class keeps what is Match's own:
// the handlers, the button Enter presses, the hourglass during a run and the window's icons.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/form_window.h"
#include "common/win32/unique_handle.h"
#include "match/match_run.h"

namespace lyrics::match::win32 {

class MainWindow final : public FormWindow {
public:
    MainWindow();

    // Creates the window hidden, laid out and centred on the primary monitor at its DPI.
    bool Create(HINSTANCE instance);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyDpi(UINT dpi) override;

    // Window events.
    bool OnCreate();
    void OnCommand(int id, int code);
    void OnActivate(bool active);
    bool OnSetCursor();
    void OnFocusMoved();
    // Whether a close request (the close box, Alt+F4) may close the window: not during a run.
    bool OnClose() const;
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
    // The path a box names: its text, or the inside when the whole text is one quoted path.
    std::wstring PathInBox(int id) const;
    void ShowInvalidInput(InputCheck check);
    void ShowFailure(const std::wstring& message);

    void SetWindowIcons();
    // The button that Enter presses: the focused push button, else cmdMatch; drawn as such.
    void ShowDefaultButton(HWND focusedButton);

    friend class WaitCursorScope;
    friend class MatchingScope;

    UniqueHicon bigIcon_;
    UniqueHicon smallIcon_;
    HWND lastFocus_ = nullptr;
    bool busy_ = false;      // a run is in progress: the pointer over the window is the hourglass
    bool matching_ = false;  // cmdMatch_Click has not returned: its check or its run is under way
};

}  // namespace lyrics::match::win32
