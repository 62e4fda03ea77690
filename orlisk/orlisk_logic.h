// OrliskLogic: everything Orlisk does, behind the handlers its one window calls.
//
// It holds the two fields that outlive a handler (winampWindow, lyricsCaption) and reaches the
// platform only through the ports it is given, which must outlive it. All handlers run on the
// user-interface thread.
//
// Re-entry: the window walk handles pending messages after each window it passes over, so a
// handler can be called while a walk runs (WalkInProgress()). A tray click, a menu "Open Lyrics"
// or "Close Lyrics" and a tick arriving then are dropped; the other handlers run. A handler that
// answers ProgramNext::End inside a walk also makes the walk stop at its next step; the window
// must not destroy this object while WalkInProgress() is true (post itself WM_CLOSE and act on it
// once the walk has returned).
#pragma once

#include <string>

#include "desktop.h"
#include "file_search.h"
#include "program_host.h"
#include "settings_controls.h"
#include "settings_store.h"
#include "shell.h"
#include "tray_menu.h"
#include "tray_tip.h"
#include "window_handle.h"

namespace lyrics::orlisk {

struct OrliskPorts {
    Desktop& desktop;
    Shell& shell;
    SettingsStore& store;
    TrayTip& tip;
    SettingsControls& controls;
    FileSearch& files;
    ProgramHost& host;
};

// What the window does after a handler: carry on, or close itself, which ends the program.
enum class ProgramNext { KeepRunning, End };

// What the window does after a tray mouse event.
enum class TrayResponse { Nothing, ShowMenu };

class OrliskLogic {
public:
    explicit OrliskLogic(OrliskPorts ports);
    OrliskLogic(const OrliskLogic&) = delete;
    OrliskLogic& operator=(const OrliskLogic&) = delete;

    // Start-up, once the window exists hidden with its controls in their first states (txtPath
    // empty, optSize Normal, chkStartup checked, chkAuto unchecked, tmrAuto off) and the tray icon
    // added with the tip "Orlisk". End: another Orlisk runs; close at once, nothing read or written.
    [[nodiscard]] ProgramNext Form_Load();

    // Finds the playing song and hands its lyrics file to the shell; the outcome goes to the tip.
    void OpenLyrics();
    // Asks the Notepad windows of the lyrics opened last to close.
    void CloseLyrics();

    // tmrAuto's tick.
    void tmrAuto_Timer();

    // After the user changed the check box (and when the logic changes it).
    void chkStartup_Click();
    void chkAuto_Click();

    // "OK" (also Enter and Esc): saves; hides the window when the folder passes the check.
    void cmdOK_Click();
    // "Exit Program": saves as "OK" does, then End, whatever the folder check said.
    [[nodiscard]] ProgramNext cmdExit_Click();
    // "Help": opens the help file beside the program; a failure is ignored.
    void cmdHelp_Click();

    // The tray icon's mouse event with its button code: 1 closes and reopens the lyrics, 2 asks
    // for the menu (pop it up, then RunMenuCommand with the choice), anything else nothing.
    [[nodiscard]] TrayResponse cSysTray_MouseEvent(int button);

    void mnuOpen_Click();
    void mnuClsWindow_Click();
    void mnuSettings_Click();
    [[nodiscard]] ProgramNext mnuExit_Click();
    // The handler of a menu command; None (clicked outside) does nothing.
    [[nodiscard]] ProgramNext RunMenuCommand(MenuCommand command);

    bool WalkInProgress() const noexcept { return walkInProgress_; }
    WindowHandle WinampWindow() const noexcept { return winampWindow; }
    const std::wstring& LyricsCaption() const noexcept { return lyricsCaption; }

private:
    // Changes a check box and, when its state changed, runs its click handler.
    void SetStartup(CheckState state);
    void SetAuto(CheckState state);
    // CloseLyrics then OpenLyrics, unless a walk runs.
    void ReopenLyrics();

    OrliskPorts ports_;
    bool walkInProgress_ = false;
    bool endRequested_ = false;

    WindowHandle winampWindow = kNoWindow;  // where the last successful walk found a song
    std::wstring lyricsCaption;             // title of the last song tried + " - Notepad"
};

}  // namespace lyrics::orlisk
