// What the tests of Orlisk's settings window share: the window created hidden, its events recorded.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "orlisk/win32/settings_window.h"
#include "tests/match_win32/form_template_check.h"

namespace lyrics::orlisk::win32 {

// Removes what a test left in the queue, the WM_QUIT of a destroyed settings window included.
inline void DrainMessages() {
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) ::DispatchMessageW(&msg);
    }
}

// Records the window's events; the next one can run an action from inside itself, as messages
// let through by the window walk would arrive.
struct RecordingEvents {
    SettingsEventSink Sink() {
        return [this](const SettingsWindowEvent& event) {
            calls.push_back(event.event);
            if (event.event == SettingsEvent::cSysTray_MouseEvent) {
                codes.push_back(event.tray.buttonCode);
                lastAnchor = event.tray.anchor;
            }
            if (std::exchange(nestNext, false)) nested();
        };
    }
    std::vector<SettingsEvent> calls;
    std::vector<int> codes;  // the tray events' button codes
    POINT lastAnchor{};
    std::function<void()> nested;  // run inside the next event only
    bool nestNext = false;
};

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.Create(::GetModuleHandleW(nullptr))); }
    void TearDown() override {
        window.Close();
        DrainMessages();
    }
    HWND Child(int id) const { return ::GetDlgItem(window.Hwnd(), id); }
    RECT ChildRect(int id) const { return testing::ChildRectOf(Child(id)); }

    RecordingEvents events;
    SettingsWindow window{events.Sink()};
};

}  // namespace lyrics::orlisk::win32
