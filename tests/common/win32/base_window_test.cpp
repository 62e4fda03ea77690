// The window base under Wine: the object is reached from its window from WM_NCCREATE until
// WM_NCDESTROY and never after it is gone, and an exception escaping a handler ends in a box that
// says what failed, never in the system's code that called the window procedure.
#include "common/win32/base_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "common/win32/handler_failure.h"
#include "common/win32/window_text.h"
#include "tests/driver/window_search.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using namespace std::chrono_literals;
using testing::Contains;

constexpr wchar_t kProgram[] = L"Window base test";
constexpr WindowTemplate kProbeTemplate{L"LyricsProbeWindow", 0, L"Probe", kProgram, WS_OVERLAPPEDWINDOW, 0};

// What the probe saw, kept apart from it so that it can be read after the probe is gone.
struct ProbeLog {
    std::vector<UINT> messages;
    bool probeGone = false;
    int messagesAfterItWent = 0;
};

class ProbeWindow final : public BaseWindow {
public:
    explicit ProbeWindow(ProbeLog& log) : log_(log) {}
    ~ProbeWindow() { log_.probeGone = true; }

    bool Create() { return CreateFromTemplate(::GetModuleHandleW(nullptr), kProbeTemplate, POINT{0, 0}, SIZE{240, 120}); }
    void Close() { Destroy(); }

    // Runs before the default handling of every message; may throw.
    std::function<void(UINT message)> onMessage;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        log_.messages.push_back(message);
        if (log_.probeGone) ++log_.messagesAfterItWent;
        if (onMessage) onMessage(message);
        return DefaultHandling(message, wParam, lParam);
    }

    ProbeLog& log_;
};

bool Saw(const ProbeLog& log, UINT message) {
    return std::find(log.messages.begin(), log.messages.end(), message) != log.messages.end();
}

// The boxes captioned kProgram that this process shows, and the texts of a box's controls.
std::vector<HWND> FailureBoxes() {
    std::vector<HWND> boxes;
    for (const HWND box : testing::TopLevelWindows(L"#32770", ::GetCurrentProcessId())) {
        if (WindowText(box) == kProgram) boxes.push_back(box);
    }
    return boxes;
}

std::wstring TextsOf(HWND box) {
    std::wstring texts;
    for (const HWND child : testing::ChildWindows(box)) texts += WindowText(child) + L"\n";
    return texts;
}

// On a thread of its own, waits for the failure box, reads it, lets whileShown act while it is
// up, then presses OK. The window's thread is inside the box's modal loop all that time.
class BoxWatcher {
public:
    explicit BoxWatcher(std::function<void()> whileShown = {})
        : whileShown_(std::move(whileShown)), thread_([this] { Watch(); }) {}
    ~BoxWatcher() { Join(); }

    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    // Joins first: what the box said, and how many such boxes were up at once.
    const std::wstring& Text() {
        Join();
        return text_;
    }
    std::size_t BoxesAtOnce() {
        Join();
        return boxesAtOnce_;
    }

private:
    void Watch() {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        std::vector<HWND> boxes;
        while ((boxes = FailureBoxes()).empty()) {
            if (std::chrono::steady_clock::now() > deadline) return;
            std::this_thread::sleep_for(20ms);
        }
        text_ = TextsOf(boxes.front());
        if (whileShown_) whileShown_();
        boxesAtOnce_ = FailureBoxes().size();
        for (const HWND box : FailureBoxes()) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    std::function<void()> whileShown_;
    std::wstring text_;
    std::size_t boxesAtOnce_ = 0;
    std::thread thread_;
};

TEST(BaseWindow, ReachesItsObjectFromNcCreateUntilNcDestroy) {
    ProbeLog log;
    ProbeWindow probe(log);
    ASSERT_TRUE(probe.Create());
    const HWND window = probe.Hwnd();
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(log.messages.empty());
    EXPECT_EQ(log.messages.front(), static_cast<UINT>(WM_NCCREATE)) << "nothing reaches the object before it";
    EXPECT_TRUE(Saw(log, WM_CREATE));

    probe.Close();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(probe.Hwnd(), nullptr);
    EXPECT_TRUE(Saw(log, WM_DESTROY));
    EXPECT_FALSE(Saw(log, WM_NCDESTROY)) << "the window procedure lets the object go first";
}

TEST(BaseWindow, AnObjectThatGoesFirstTakesItsWindowAlongUnseen) {
    ProbeLog log;
    std::optional<ProbeWindow> probe(std::in_place, log);
    ASSERT_TRUE(probe->Create());
    const HWND window = probe->Hwnd();
    probe.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(log.messagesAfterItWent, 0) << "WM_DESTROY must not reach an object half destroyed";
}

TEST(BaseWindow, AFailingHandlerIsReportedNamingTheCommandAndTheWindowGoesOn) {
    ProbeLog log;
    ProbeWindow probe(log);
    ASSERT_TRUE(probe.Create());
    const HWND save = ::CreateWindowExW(0, L"BUTTON", L"Save", WS_CHILD | BS_PUSHBUTTON, 0, 0, 80, 24, probe.Hwnd(),
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), nullptr, nullptr);
    probe.onMessage = [](UINT message) {
        if (message == WM_COMMAND) throw std::runtime_error("disk on fire");
    };

    BoxWatcher watcher;
    EXPECT_EQ(::SendMessageW(probe.Hwnd(), WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(save)), 0);
    EXPECT_TRUE(
        Contains(watcher.Text(), L"The command \"Save\" could not be finished because of an unexpected error (disk on fire)."))
        << watcher.Text();
    EXPECT_TRUE(::IsWindow(probe.Hwnd()));
    probe.Close();
}

TEST(BaseWindow, AFailureWhileTheBoxIsUpIsNotStackedOnIt) {
    ProbeLog log;
    ProbeWindow probe(log);
    ASSERT_TRUE(probe.Create());
    probe.onMessage = [](UINT message) {
        if (message == WM_TIMER) throw std::bad_alloc();
    };
    const HWND window = probe.Hwnd();
    // A timer that keeps failing: its next tick arrives inside the box's modal loop.
    BoxWatcher watcher([window] {
        DWORD_PTR result = 1;
        ::SendMessageTimeoutW(window, WM_TIMER, 1, 0, SMTO_NORMAL, 5000, &result);
        std::this_thread::sleep_for(200ms);
    });
    ::SendMessageW(window, WM_TIMER, 1, 0);
    EXPECT_TRUE(Contains(watcher.Text(), L"The timer could not be finished: there is not enough memory.")) << watcher.Text();
    EXPECT_EQ(watcher.BoxesAtOnce(), 1u);
    EXPECT_EQ(std::count(log.messages.begin(), log.messages.end(), static_cast<UINT>(WM_TIMER)), 2);
    probe.Close();
}

TEST(BaseWindow, AWindowThatFailsToBuildItselfIsNotMade) {
    ProbeLog log;
    ProbeWindow probe(log);
    probe.onMessage = [](UINT message) {
        if (message == WM_CREATE) throw std::bad_alloc();
    };
    BoxWatcher watcher;
    EXPECT_FALSE(probe.Create());
    EXPECT_TRUE(Contains(watcher.Text(), L"Opening the window could not be finished: there is not enough memory."))
        << watcher.Text();
    EXPECT_EQ(probe.Hwnd(), nullptr);
}

TEST(HandlerFailureText, SaysWhatStoppedTheAction) {
    const auto failureOf = [](auto thrown) {
        try {
            throw thrown;
        } catch (...) {
            return HandlerFailureText(L"The command \"Match\"", std::current_exception());
        }
    };
    EXPECT_EQ(failureOf(std::bad_alloc()), L"The command \"Match\" could not be finished: there is not enough memory.");
    EXPECT_EQ(failureOf(std::runtime_error("no disk")),
              L"The command \"Match\" could not be finished because of an unexpected error (no disk).");
    EXPECT_EQ(failureOf(std::runtime_error("")), L"The command \"Match\" could not be finished because of an unexpected error.");
    EXPECT_EQ(failureOf(42), L"The command \"Match\" could not be finished because of an unexpected error.");
}

TEST(FailedAction, NamesTimersMenusAndOtherMessages) {
    EXPECT_EQ(FailedAction(nullptr, WM_TIMER, 1, 0), L"The timer");
    EXPECT_EQ(FailedAction(nullptr, WM_COMMAND, MAKEWPARAM(40, 0), 0), L"Command 40");
    EXPECT_EQ(FailedAction(nullptr, WM_APP + 1, 0, 0), L"The window's message 0x8001");
}

}  // namespace
}  // namespace lyrics
