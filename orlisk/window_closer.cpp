#include "orlisk/window_closer.h"

#include <algorithm>

#include "common/lower_case.h"

namespace lyrics::orlisk {

void WindowCloser::CloseCaptioned(std::wstring_view caption) {
    ForgetGoneWindows();
    for (;;) {
        const WindowHandle window = desktop_.FindByCaption(caption);
        if (window == kNoWindow) return;
        const AskedWindow* earlier = Asked(window);
        if (earlier == nullptr) {
            Ask(window);
            continue;
        }
        if (desktop_.Now() - earlier->askedAt >= kCloseGiveUpAfter) {
            AskTheOthers(window, LowerCase(caption));
            return;
        }
        desktop_.Pause(kClosePollPause);
    }
}

bool WindowCloser::AskedWindowRemains(std::span<const std::wstring> captions) {
    ForgetGoneWindows();
    std::vector<std::wstring> lowerCaptions;
    for (const std::wstring& caption : captions) lowerCaptions.push_back(LowerCase(caption));
    return std::any_of(asked_.begin(), asked_.end(), [&](const AskedWindow& a) {
        const std::wstring caption = LowerCase(desktop_.ReadCaption(a.window).text);
        return std::find(lowerCaptions.begin(), lowerCaptions.end(), caption) != lowerCaptions.end();
    });
}

void WindowCloser::Ask(WindowHandle window) {
    desktop_.CancelMode(window);
    desktop_.AskToClose(window);
    asked_.push_back({window, desktop_.Now()});
}

void WindowCloser::AskTheOthers(WindowHandle stuck, std::wstring_view lowerCaption) {
    for (WindowHandle window = desktop_.FirstWindow(stuck); window != kNoWindow; window = desktop_.NextWindow(window)) {
        if (Asked(window) != nullptr) continue;
        if (LowerCase(desktop_.ReadCaption(window).text) == lowerCaption) Ask(window);
    }
}

const WindowCloser::AskedWindow* WindowCloser::Asked(WindowHandle window) const {
    const auto it = std::find_if(asked_.begin(), asked_.end(), [window](const AskedWindow& a) { return a.window == window; });
    return it == asked_.end() ? nullptr : &*it;
}

void WindowCloser::ForgetGoneWindows() {
    std::erase_if(asked_, [this](const AskedWindow& a) { return !desktop_.Exists(a.window); });
}

}  // namespace lyrics::orlisk
