#include "orlisk/window_closer.h"

#include <algorithm>

#include "common/lower_case.h"

namespace lyrics::orlisk {

void WindowCloser::Close(std::span<const std::wstring> captions, AskAgain again, const std::function<bool()>& stopRequested) {
    ForgetGoneWindows();
    const auto start = desktop_.Now();
    Bound bound{start, start + kCloseGiveUpAfter, kCloseMaxAsks};
    for (const std::wstring& caption : captions) {
        if (!CloseCaptioned(LowerCase(caption), again, bound, stopRequested)) return;
    }
}

bool WindowCloser::CloseCaptioned(const std::wstring& lowerCaption, AskAgain again, Bound& bound,
                                  const std::function<bool()>& stopRequested) {
    for (;;) {
        const WindowHandle window = desktop_.FindByCaption(lowerCaption);
        if (window == kNoWindow) return true;
        const AskedWindow* earlier = Asked(window);
        const bool askedBefore = earlier != nullptr && earlier->askedAt < bound.start;
        const bool askAgain = askedBefore && again == AskAgain::Yes && !desktop_.IsDisabled(window);
        if (earlier == nullptr || askAgain) {
            if (bound.asksLeft == 0) return false;
            Ask(window, bound);
            continue;
        }
        if (askedBefore || desktop_.Now() >= bound.deadline) {
            AskTheOthers(window, lowerCaption, bound);
            return bound.asksLeft > 0;
        }
        desktop_.PumpMessages();
        if (stopRequested && stopRequested()) return false;
        desktop_.Pause(kClosePollPause);
    }
}

std::optional<WindowHandle> WindowCloser::RemainingWindow(std::span<const std::wstring> captions) {
    ForgetGoneWindows();
    std::vector<std::wstring> lowerCaptions;
    for (const std::wstring& caption : captions) lowerCaptions.push_back(LowerCase(caption));
    for (const AskedWindow& asked : asked_) {
        const std::wstring caption = LowerCase(desktop_.ReadCaption(asked.window).text);
        if (std::find(lowerCaptions.begin(), lowerCaptions.end(), caption) != lowerCaptions.end()) return asked.window;
    }
    return std::nullopt;
}

void WindowCloser::Ask(WindowHandle window, Bound& bound) {
    desktop_.CancelMode(window);
    desktop_.AskToClose(window);
    --bound.asksLeft;
    if (AskedWindow* earlier = Asked(window)) {
        earlier->askedAt = desktop_.Now();
        return;
    }
    // The oldest are forgotten first: the windows of songs long past.
    if (asked_.size() == kCloseMaxRemembered) asked_.erase(asked_.begin());
    asked_.push_back({window, desktop_.Now()});
}

void WindowCloser::AskTheOthers(WindowHandle stuck, const std::wstring& lowerCaption, Bound& bound) {
    for (WindowHandle window = desktop_.FirstWindow(stuck); window != kNoWindow && bound.asksLeft > 0;
         window = desktop_.NextWindow(window)) {
        if (Asked(window) != nullptr) continue;
        if (LowerCase(desktop_.ReadCaption(window).text) == lowerCaption) Ask(window, bound);
    }
}

WindowCloser::AskedWindow* WindowCloser::Asked(WindowHandle window) {
    const auto it = std::find_if(asked_.begin(), asked_.end(), [window](const AskedWindow& a) { return a.window == window; });
    return it == asked_.end() ? nullptr : &*it;
}

void WindowCloser::ForgetGoneWindows() {
    std::erase_if(asked_, [this](const AskedWindow& a) { return !desktop_.Exists(a.window); });
}

}  // namespace lyrics::orlisk
