#include "orlisk/song_finder.h"

#include <algorithm>
#include <vector>

#include "orlisk/caption_parser.h"

namespace lyrics::orlisk {

namespace {

std::optional<PlayingEntry> PlayingEntryOf(const WinampAnswer& answer) {
    return answer.state == WinampState::Playing ? answer.entry : std::nullopt;
}

}  // namespace

std::optional<FoundSong> FindWinampSong(Desktop& desktop, WinampRemote& remote, WindowHandle own, std::wstring_view ownCaption,
                                        TrayTip& tip, const std::function<bool()>& stopRequested) {
    WinampAsker asker(desktop, remote);
    return FindWinampSong(desktop, asker, own, ownCaption, tip, stopRequested);
}

std::optional<FoundSong> FindWinampSong(Desktop& desktop, WinampAsker& asker, WindowHandle own, std::wstring_view ownCaption,
                                        TrayTip& tip, const std::function<bool()>& stopRequested) {
    asker.StartRound();
    // A window that goes while messages are handled leaves the Z order, and so has no next one
    // although it is not the last: the walk starts again from the top rather than take a closing
    // program for the end of the list, and passes silently over the windows it has examined.
    int restarts = 0;
    std::vector<WindowHandle> examined;
    const auto next = [&](WindowHandle from) {
        const WindowHandle after = desktop.NextWindow(from);
        if (after != kNoWindow || from == desktop.LastWindow(own) || restarts == kWalkRestarts) return after;
        ++restarts;
        return desktop.FirstWindow(own);
    };
    WindowHandle window = desktop.FirstWindow(own);
    while (window != kNoWindow) {
        if (restarts > 0 && std::find(examined.begin(), examined.end(), window) != examined.end()) {
            window = next(window);
            continue;
        }
        const CaptionRead caption = desktop.ReadCaption(window);
        const bool candidate = caption.text != ownCaption && caption.copied > 0 && desktop.Exists(window);
        if (candidate) {
            CaptionResult result = TitleFromCaption(caption.text);
            if (result.kind != CaptionKind::Skipped) tip.SetTip(kWinampMayNotBeOpen);
            if (result.kind == CaptionKind::Title && !desktop.IsDisabled(window)) {
                // The caption decides the title; Winamp's answer only tells the tick what to follow.
                return FoundSong{window, std::move(result.title), PlayingEntryOf(asker.Ask(window))};
            }
            if (result.kind == CaptionKind::NoTitle && !desktop.IsDisabled(window)) {
                if (std::optional<PlayingEntry> entry = PlayingEntryOf(asker.Ask(window))) {
                    std::wstring title = entry->title;
                    return FoundSong{window, std::move(title), std::move(entry)};
                }
            }
        }
        examined.push_back(window);
        window = next(window);
        desktop.PumpMessages();
        if (stopRequested && stopRequested()) return std::nullopt;
    }
    return std::nullopt;
}

WinampAnswer AskWinamp(Desktop& desktop, WinampRemote& remote, WindowHandle window) {
    return WinampAsker(desktop, remote).Ask(window);
}

}  // namespace lyrics::orlisk
