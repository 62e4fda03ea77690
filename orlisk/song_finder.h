// The window walk: finds Winamp's main window as the first top-level window, from the top of the
// Z order, whose caption yields a song title.
//
// Every candidate whose caption is not a fixed one sets the tip to "Winamp may not be open" on
// the way; a disabled window is passed over. After each window passed over, the program's pending
// messages are handled, so the tray and the menu stay responsive during a long walk; a handler run
// there may ask the walk to stop (the program is ending). Windows come and go meanwhile: when the
// window the walk stands on has left the Z order, the walk starts again from the top, a few times
// at most, and examines no window twice.
//
// Given a WinampRemote, the walk also asks every window of Winamp's main-window class that it
// meets, all of them within one budget (WinampAsker). A caption that yields a title still
// decides; a caption that yields none (Winamp scrolls its title through the caption, or cuts it)
// gives way to what Winamp says it plays. A Winamp that is stopped, or does not answer, is passed
// over as its caption alone would be.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "orlisk/desktop.h"
#include "orlisk/tray_tip.h"
#include "orlisk/winamp_asker.h"
#include "orlisk/winamp_remote.h"
#include "orlisk/window_handle.h"

namespace lyrics::orlisk {

inline constexpr std::wstring_view kWinampMayNotBeOpen = L"Winamp may not be open";
inline constexpr int kWalkRestarts = 3;

struct FoundSong {
    WindowHandle window = kNoWindow;
    std::wstring title;
    // What the window said it plays, when it is Winamp's and answered while playing; the
    // song-change tick follows this entry rather than the caption.
    std::optional<PlayingEntry> entry;
};

// own/ownCaption: the settings window, whose caption is never a candidate. Winamp's windows are
// asked through remote as well. stopRequested, when given, is asked after each pass of the message
// loop; true ends the walk with nothing found.
std::optional<FoundSong> FindWinampSong(Desktop& desktop, WinampRemote& remote, WindowHandle own, std::wstring_view ownCaption,
                                        TrayTip& tip, const std::function<bool()>& stopRequested = {});

// The same walk, one round of asker's: the windows it found hung in earlier walks rest.
std::optional<FoundSong> FindWinampSong(Desktop& desktop, WinampAsker& asker, WindowHandle own, std::wstring_view ownCaption,
                                        TrayTip& tip, const std::function<bool()>& stopRequested = {});

// What window plays, asked as WinampAsker asks, in a round of its own.
WinampAnswer AskWinamp(Desktop& desktop, WinampRemote& remote, WindowHandle window);

}  // namespace lyrics::orlisk
