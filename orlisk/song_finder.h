// The window walk: finds Winamp's main window as the first top-level window, from the top of the
// Z order, whose caption yields a song title.
//
// Every candidate whose caption is not a fixed one sets the tip to "Winamp may not be open" on
// the way; a disabled window is passed over. After each window passed over, the program's pending
// messages are handled, so the tray and the menu stay responsive during a long walk; a handler run
// there may ask the walk to stop (the program is ending).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "orlisk/desktop.h"
#include "orlisk/tray_tip.h"
#include "orlisk/window_handle.h"

namespace lyrics::orlisk {

inline constexpr std::wstring_view kWinampMayNotBeOpen = L"Winamp may not be open";

struct FoundSong {
    WindowHandle window = kNoWindow;
    std::wstring title;
};

// own/ownCaption: the settings window, whose caption is never a candidate. stopRequested, when
// given, is asked after each pass of the message loop; true ends the walk with nothing found.
std::optional<FoundSong> FindWinampSong(Desktop& desktop, WindowHandle own, std::wstring_view ownCaption, TrayTip& tip,
                                        const std::function<bool()>& stopRequested = {});

}  // namespace lyrics::orlisk
