// Orlisk's tray icon under Wine: the tip cut to the shell's limit, mouse and key events turned
// into button codes with their anchor, one action per key press.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "orlisk/win32/key_select_debouncer.h"
#include "orlisk/win32/tray_icon.h"
#include "tests/orlisk_win32/settings_window_fixture.h"

namespace lyrics::orlisk::win32 {
namespace {

TEST(TrayTip, FitsTheShellsLimitWithAnEllipsis) {
    EXPECT_EQ(FitTip(L"Last Opened: Artist - Song"), L"Last Opened: Artist - Song");
    const std::wstring exact(kMaxTipLength, L'a');
    EXPECT_EQ(FitTip(exact), exact);

    const std::wstring tip = FitTip(std::wstring(300, L'b'));
    ASSERT_EQ(tip.size(), kMaxTipLength);
    EXPECT_EQ(tip.back(), L'\u2026');
    EXPECT_EQ(tip.substr(0, kMaxTipLength - 1), std::wstring(kMaxTipLength - 1, L'b'));

    // A character outside the basic plane at the cut is dropped whole, never halved.
    std::wstring surrogates(kMaxTipLength - 2, L'c');
    surrogates += L"\U0001F3B5\U0001F3B5";
    const std::wstring cut = FitTip(surrogates);
    EXPECT_LE(cut.size(), kMaxTipLength);
    EXPECT_FALSE(IS_HIGH_SURROGATE(cut[cut.size() - 2]));
    EXPECT_EQ(cut.back(), L'\u2026');
}

TEST(TrayEvents, TurnMouseMessagesIntoButtonCodes) {
    // Not added to the tray: the shell's first callback form, the mouse message in lParam.
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    TrayIcon legacy(owner, 7, WM_APP + 1, {}, L"Orlisk");
    EXPECT_EQ(legacy.Decode(7, WM_LBUTTONUP).buttonCode, 1);
    EXPECT_EQ(legacy.Decode(7, WM_RBUTTONUP).buttonCode, 2);
    EXPECT_EQ(legacy.Decode(7, WM_MOUSEMOVE).buttonCode, 0);
    EXPECT_EQ(legacy.Decode(7, WM_LBUTTONDOWN).buttonCode, 0);
    ::DestroyWindow(owner);
}

TEST_F(SettingsWindowTest, TrayEventsOfTheCurrentShellCarryTheirAnchor) {
    // The window added its icon and asked for the version-4 callbacks; Wine's tray grants them.
    const UINT callback = WM_APP + 1;
    const auto send = [&](UINT message, int x, int y) {
        ::SendMessageW(window.Hwnd(), callback, MAKEWPARAM(static_cast<WORD>(x), static_cast<WORD>(y)), MAKELPARAM(message, 1));
    };
    send(WM_LBUTTONUP, 10, 20);
    send(NIN_SELECT, 10, 20);
    send(WM_RBUTTONUP, -300, 40);
    send(WM_CONTEXTMENU, -300, 40);
    EXPECT_EQ(events.calls, std::vector<SettingsEvent>(2, SettingsEvent::cSysTray_MouseEvent));
    EXPECT_EQ(events.codes, (std::vector<int>{1, 2}))
        << "one action per click: NIN_SELECT and WM_RBUTTONUP come along with the ones acted on";
    EXPECT_EQ(events.lastAnchor.x, -300) << "a monitor left of the primary one has negative positions";
    EXPECT_EQ(events.lastAnchor.y, 40);
}

TEST(KeySelectDebouncer, OnePressPerKeyHoweverOftenTheShellReportsIt) {
    KeySelectDebouncer keys;
    const std::uint32_t doubleClick = 500;
    ASSERT_TRUE(keys.StartPress(1000, doubleClick));
    EXPECT_FALSE(keys.StartPress(1005, doubleClick)) << "reported again while its action runs";
    keys.PressHandled(3000);  // the action took two seconds (Notepad starting)
    EXPECT_FALSE(keys.StartPress(3001, doubleClick)) << "the shell's second report, handled after the first";
    EXPECT_FALSE(keys.StartPress(3500, doubleClick)) << "still within the double-click time";
    ASSERT_TRUE(keys.StartPress(3501, doubleClick)) << "a new press";
    keys.PressHandled(3600);
    EXPECT_FALSE(keys.StartPress(3700, doubleClick));
    EXPECT_TRUE(keys.StartPress(3700, 50)) << "the user's double-click time, as it is now";
}

TEST(KeySelectDebouncer, TheFirstPressCountsAndTheTickCountMayWrap) {
    KeySelectDebouncer keys;
    EXPECT_TRUE(keys.StartPress(0, 500)) << "nothing handled yet: the first report is a press";
    keys.PressHandled(0xFFFFFF00u);
    EXPECT_FALSE(keys.StartPress(0x00000010u, 500)) << "0x110 ms later, across the wrap";
    EXPECT_TRUE(keys.StartPress(0x00000200u, 500));
    keys.PressHandled(0x00000200u);
    keys.PressHandled(0x00009000u);  // no press running: nothing to end
    EXPECT_FALSE(keys.StartPress(0x00000300u, 500));
}

using TrayKeyboard = SettingsWindowTest;

TEST_F(TrayKeyboard, OneEnterOnTheIconIsOneAction) {
    const auto send = [&](UINT message) {
        ::SendMessageW(window.Hwnd(), WM_APP + 1, MAKEWPARAM(10, 20), MAKELPARAM(message, 1));
    };
    // The shell's two reports of one Enter, the second right after the first was acted on.
    send(NIN_KEYSELECT);
    send(NIN_KEYSELECT);
    EXPECT_EQ(events.codes, std::vector<int>{1});
    // A click is a click, whenever it comes.
    send(WM_LBUTTONUP);
    EXPECT_EQ(events.codes, (std::vector<int>{1, 1}));

    // Past the double-click time, Enter again is a new press; its repeat from inside its own
    // action is dropped as well.
    ::Sleep(::GetDoubleClickTime() + 100);
    events.nested = [&] { send(NIN_KEYSELECT); };
    events.nestNext = true;
    send(NIN_KEYSELECT);
    EXPECT_EQ(events.codes, (std::vector<int>{1, 1, 1}));
}
}  // namespace
}  // namespace lyrics::orlisk::win32
