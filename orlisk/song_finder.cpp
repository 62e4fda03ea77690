#include "orlisk/song_finder.h"

#include "orlisk/caption_parser.h"

namespace lyrics::orlisk {

std::optional<FoundSong> FindWinampSong(Desktop& desktop, WindowHandle own, std::wstring_view ownCaption, TrayTip& tip,
                                        const std::function<bool()>& stopRequested) {
    WindowHandle window = desktop.FirstWindow(own);
    while (window != kNoWindow) {
        const CaptionRead caption = desktop.ReadCaption(window);
        const bool candidate = caption.text != ownCaption && caption.copied > 0 && desktop.Exists(window);
        if (candidate) {
            CaptionResult result = TitleFromCaption(caption.text);
            if (result.kind != CaptionKind::Skipped) tip.SetTip(kWinampMayNotBeOpen);
            if (result.kind == CaptionKind::Title && !desktop.IsDisabled(window)) {
                return FoundSong{window, std::move(result.title)};
            }
        }
        window = desktop.NextWindow(window);
        desktop.PumpMessages();
        if (stopRequested && stopRequested()) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace lyrics::orlisk
