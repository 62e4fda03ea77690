// OrliskLogic: everything Orlisk does, behind the handlers its one window calls.
//
// It holds the facts that outlive a handler (the window where the last song was found, that
// song's title, and the playlist entry Winamp named for it when it answered) and reaches the
// platform only through the ports it is given, which must outlive it. All handlers run on the
// user-interface thread.
//
// Following Winamp (the tick, while "Auto" is on): while Winamp answers, a song change is a
// change of the title of its playing entry, so a caption that scrolls or is cut never closes the
// lyrics, and the same song from another place in the playlist leaves them open; a
// Winamp that does not answer is followed by its caption. When no Winamp window is known, or the
// one remembered is gone, each tick looks for Winamp's main window by its class (one call) and
// walks the windows only when one exists, so Winamp started after Orlisk, or started again, is
// followed without a click.
//
// The media controls: only when the walk finds no Winamp song does a click (or the start-up's
// open) take the song of Windows' media controls, whose lyrics are "Artist - Title.txt", or
// "Title.txt" when only that one exists. While such a song's lyrics are shown, the tick follows
// the media controls (a song change is another artist or title; a pause, the same song again or
// no session is none) until a Winamp window found by its class plays again. The registry value
// "Players" = "0" leaves the media controls alone.
//
// Ending: a handler that ends the program answers ProgramNext::End, and EndRequested() stays true
// from then on; that flag is the one the window acts on.
//
// Re-entry: the window walk handles pending messages after each window it passes over, the close
// of lyrics windows while it waits for them to go, and the shell's open while it waits for the
// program it started, so a handler can be called while they run (WalkInProgress()). A tray click, a menu
// "Open Lyrics" or "Close Lyrics" and a tick arriving then are dropped; the other handlers run. A handler that
// ends the program inside a walk also makes the walk stop at its next step; the window must not
// be destroyed, nor this object, while WalkInProgress() is true: the outermost handler closes it
// once the walk has returned.
#pragma once

#include <optional>
#include <string>

#include "orlisk/desktop.h"
#include "orlisk/file_search.h"
#include "orlisk/media_session.h"
#include "orlisk/player_song.h"
#include "orlisk/program_host.h"
#include "orlisk/settings_controls.h"
#include "orlisk/settings_store.h"
#include "orlisk/shell.h"
#include "orlisk/song_finder.h"
#include "orlisk/tray_menu.h"
#include "orlisk/tray_tip.h"
#include "orlisk/winamp_asker.h"
#include "orlisk/winamp_remote.h"
#include "orlisk/window_closer.h"
#include "orlisk/window_handle.h"

namespace lyrics::orlisk {

// What the folder check searches for: the text as typed, with "*" after a trailing "\" (such a
// path stands for the folder's entries). The settings window makes the same search for the
// system's reason when the check fails.
std::wstring FolderSearchPattern(std::wstring_view folder);

struct OrliskPorts {
    Desktop& desktop;
    Shell& shell;
    SettingsStore& store;
    TrayTip& tip;
    SettingsControls& controls;
    FileSearch& files;
    ProgramHost& host;
    TrayMenu& menu;
    WinampRemote& remote;
    MediaSession& media;
};

// What a handler leaves the program to do: carry on, or end (the window closes itself).
enum class ProgramNext { KeepRunning, End };

class OrliskLogic {
public:
    explicit OrliskLogic(OrliskPorts ports);
    OrliskLogic(const OrliskLogic&) = delete;
    OrliskLogic& operator=(const OrliskLogic&) = delete;

    // Start-up, once the window exists hidden with its controls in their first states (txtPath
    // empty, optSize Normal, chkStartup checked, chkAuto unchecked, tmrAuto off) and the tray icon
    // added with the tip "Orlisk". End: another Orlisk runs; close at once, nothing read or written.
    ProgramNext Form_Load();

    // Finds the playing song and hands its lyrics file to the shell; the outcome goes to the tip.
    // While a Notepad of that song's lyrics, asked to close, is still there (asking whether to
    // save the user's edits, or kept by the user's Cancel), no second copy is opened beside it:
    // that window is brought to the front and the tip says "Lyrics still open: " and the title.
    void OpenLyrics();
    // Asks the Notepad windows of the lyrics opened last to close, a window kept open earlier
    // again (the user asks for it); nothing before a first song. One still there is brought to
    // the front, and the tip says so.
    void CloseLyrics();

    // tmrAuto's tick.
    void tmrAuto_Timer();

    // After the user changed the check box (and when the logic changes it).
    void chkStartup_Click();
    void chkAuto_Click();

    // "OK" (also Enter and Esc): saves; hides the window when the folder passes the check.
    void cmdOK_Click();
    // "Exit Program": saves as "OK" does, then End, whatever the folder check said.
    ProgramNext cmdExit_Click();
    // "Help": opens the help file beside the program; a failure is ignored.
    void cmdHelp_Click();

    // The tray icon's mouse event with its button code: 1 closes and reopens the lyrics, 2 shows
    // the menu and runs the command chosen, anything else nothing.
    ProgramNext cSysTray_MouseEvent(int button);

    void mnuOpen_Click();
    void mnuClsWindow_Click();
    void mnuSettings_Click();
    ProgramNext mnuExit_Click();
    // The handler of a menu command; None (clicked outside) does nothing.
    ProgramNext RunMenuCommand(MenuCommand command);

    bool EndRequested() const noexcept { return endRequested_; }
    bool WalkInProgress() const noexcept { return walkInProgress_; }
    // Where the last successful walk found a song; kNoWindow until then.
    WindowHandle WinampWindow() const noexcept { return winampWindow_; }
    // The Notepad caption of the lyrics tried last (the title + " - Notepad"); empty until a song
    // has been found.
    std::wstring LyricsCaption() const;

private:
    // Changes a check box and, when its state changed, runs its click handler.
    void SetStartup(CheckState state);
    void SetAuto(CheckState state);
    // The close of the last song's Notepads, marked as a walk while it handles messages. again:
    // whether a window kept open by an earlier close is asked again (a request of the user's).
    void CloseLastLyrics(AskAgain again);
    // CloseLastLyrics then OpenLyrics, unless a walk runs.
    void ReopenLyrics(AskAgain again);
    // Brings a window of the song's lyrics kept open to the front and says so; false for none.
    bool ShowRemainingLyrics(const std::wstring& title);
    // Brings a Notepad already showing the song's lyrics to the front and says so; false for none.
    bool ShowOpenNotepadOf(const std::wstring& title);
    // Brings the save question of the song's lyrics, asked to close and still asking, to the front.
    void ShowSavePromptOf(const std::wstring& title);
    // The window walk, marked as running while it runs.
    std::optional<FoundSong> WalkForSong();
    // The folder the box names: its text, or the inside of one quoted path with a "\" added.
    std::wstring FolderInBox() const;
    // Hands a found song's lyrics to the shell and remembers the song; the outcome goes to the tip.
    void OpenFoundSong(const FoundSong& found);
    // The window and entry of a Winamp song, followed by the tick from here on.
    void RememberWinampSong(const FoundSong& found);
    // The same for the media controls' song: its lyrics file, by the names it may have.
    void OpenMediaSong(const PlayerSong& song);
    // Opens the lyrics under a name (the tip's, the Notepad captions'), at path when it has one.
    void OpenNamedLyrics(const std::wstring& name, const std::optional<std::wstring>& path);
    // The media controls' song when they are followed and it names one.
    std::optional<PlayerSong> MediaSong();
    // The tick's test while the remembered window lives: Winamp's answer, else its caption.
    bool SongHasChangedIn(WindowHandle winamp, const CaptionRead& caption);
    // The tick's look for a Winamp window when none is known or the remembered one is gone.
    // False when no Winamp window plays.
    bool FollowNewWinamp();
    // The tick while no Winamp plays: a song change in the media controls reopens the lyrics.
    void FollowMediaSession();
    // Records that the program is to end, and answers so.
    ProgramNext End();

    OrliskPorts ports_;
    WindowCloser closer_{ports_.desktop};
    WinampAsker asker_{ports_.desktop, ports_.remote};
    bool walkInProgress_ = false;
    bool startingUp_ = false;  // Form_Load's opening of lyrics runs
    bool endRequested_ = false;

    WindowHandle winampWindow_ = kNoWindow;
    // The title of the last song whose lyrics were tried, opened or not; none since start-up
    // until a walk finds a song.
    std::optional<std::wstring> lastTitle_;
    // The playlist entry Winamp named for that song; none when it did not answer.
    std::optional<PlayingEntry> lastEntry_;
    // "Players" as read at start-up.
    bool followsPlayers_ = true;
    // The media controls' song whose lyrics were tried last; none while Winamp's are.
    PlayerSongTracker mediaSongs_;
};

}  // namespace lyrics::orlisk
