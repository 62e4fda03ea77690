#include "orlisk/window_closer.h"

#include <algorithm>
#include <vector>

#include "common/lower_case.h"

namespace lyrics::orlisk {

namespace {

struct AskedWindow {
    WindowHandle window;
    std::chrono::steady_clock::time_point askedAt;
};

void Ask(Desktop& desktop, WindowHandle window) {
    desktop.CancelMode(window);
    desktop.AskToClose(window);
}

// FindWindow only ever answers the first window with the caption; once that one refuses, the
// others are reached by walking the Z order from it.
void AskTheOthers(Desktop& desktop, WindowHandle stuck, std::wstring_view lowerCaption, const std::vector<AskedWindow>& asked) {
    for (WindowHandle window = desktop.FirstWindow(stuck); window != kNoWindow; window = desktop.NextWindow(window)) {
        const bool alreadyAsked =
            std::any_of(asked.begin(), asked.end(), [window](const AskedWindow& a) { return a.window == window; });
        if (alreadyAsked) continue;
        if (LowerCase(desktop.ReadCaption(window).text) == lowerCaption) Ask(desktop, window);
    }
}

}  // namespace

void CloseWindowsCaptioned(Desktop& desktop, std::wstring_view caption) {
    std::vector<AskedWindow> asked;
    for (;;) {
        const WindowHandle window = desktop.FindByCaption(caption);
        if (window == kNoWindow) return;
        const auto earlier =
            std::find_if(asked.begin(), asked.end(), [window](const AskedWindow& a) { return a.window == window; });
        if (earlier == asked.end()) {
            // Asked once only: a second close request to a Notepad that is asking to save would stack
            // another question on top of the first.
            Ask(desktop, window);
            asked.push_back({window, desktop.Now()});
            continue;
        }
        if (desktop.Now() - earlier->askedAt >= kCloseGiveUpAfter) {
            AskTheOthers(desktop, window, LowerCase(caption), asked);
            return;
        }
        desktop.Pause(kClosePollPause);
    }
}

}  // namespace lyrics::orlisk
