// Match.exe's window as the form draws it: caption, size and place, the controls where the form
// puts them in twips at the display's DPI, the tab order, and the names screen readers read.
#include "tests/e2e/match_fixture.h"

#include <objbase.h>

#include "tests/driver/fake_annotation_service.h"
#include "tests/driver/registry.h"

namespace match_e2e {
namespace {

// The form as drawn, in twips and tab order.
struct DrawnControl {
    int id;
    const wchar_t* text;
    int left, top, width, height;  // no width: a label, which sizes itself to its text
};
constexpr DrawnControl kForm[] = {
    {kIdTxtBrowse, L"", 1320, 120, 3135, 285},
    {kIdTxtOpen, L"", 1320, 480, 3135, 285},
    {kIdCmdBrowse, L"...", 4530, 120, 375, 255},
    {kIdCmdOpen, L"...", 4530, 480, 375, 255},
    {kIdLblCaption0, L" Playlist File :", 120, 525, 0, 0},
    {kIdLblCaption1, L" Lyrics Folder :", 0, 165, 0, 0},
    {kIdCmdMatch, L"Match", 1920, 960, 1095, 375},
    {kIdCmdHelp, L"Help", 60, 960, 1095, 375},
    {kIdCmdExit, L"Exit Program", 3780, 960, 1095, 375},
    {kIdTxtOpen1, L"Text1", 4560, 960, 150, 285},
};

// The client area and every control where the form puts them, in twips at dpi. tallLabels: the
// labels at least 195 twips tall (at 144 DPI a label is as tall as its text, a pixel short of it).
void ExpectTheFormInTwips(HWND window, int dpi, bool tallLabels) {
    const auto px = [dpi](int twips) { return ::MulDiv(twips, dpi, 1440); };
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, px(4935));
    EXPECT_EQ(client.bottom, px(1350));
    for (const DrawnControl& want : kForm) {
        SCOPED_TRACE(::testing::Message() << "control " << want.id);
        const HWND child = ::GetDlgItem(window, want.id);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(WindowText(child), want.text);
        const RECT rect = RectInParent(child, window);
        EXPECT_EQ(rect.left, px(want.left));
        EXPECT_EQ(rect.top, px(want.top));
        if (want.width) {
            EXPECT_EQ(rect.right, px(want.left + want.width));
            EXPECT_EQ(rect.bottom, px(want.top + want.height));
        } else {
            // Labels grow with their font: they must show their text whole and stay left of the boxes.
            EXPECT_GT(rect.right - rect.left, px(800));
            EXPECT_LE(rect.right, px(1320));
            if (tallLabels) EXPECT_GE(rect.bottom - rect.top, px(195));
        }
    }
}

TEST_F(MatchProgram, WindowHasTheFormsCaptionSizeAndPlace) {
    EXPECT_EQ(WindowText(window_), L"Pellanor");
    const LONG_PTR style = Style(window_);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);

    RECT frame{};
    ::GetWindowRect(window_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    EXPECT_NEAR((frame.left + frame.right) / 2.0, (work.left + work.right) / 2.0, 1.0) << "centred across";
    EXPECT_NEAR((frame.top + frame.bottom) / 2.0, (work.top + work.bottom) / 2.0, 1.0) << "centred down";
}

TEST_F(MatchProgram, ControlsStandWhereTheFormPutsThemInTabOrder) {
    // Window order is tab order, but for each label, which stands right before the box it names
    // (screen readers take a box's name from there); labels take no focus, so Tab walks the same.
    const int windowOrder[] = {kIdLblCaption1, kIdTxtBrowse, kIdLblCaption0, kIdTxtOpen, kIdCmdBrowse,
                               kIdCmdOpen,     kIdCmdMatch,  kIdCmdHelp,     kIdCmdExit, kIdTxtOpen1};
    const std::vector<HWND> children = ChildWindows(window_);
    ASSERT_EQ(children.size(), std::size(kForm));
    for (std::size_t i = 0; i < children.size(); ++i) EXPECT_EQ(ControlId(children[i]), windowOrder[i]) << "window order";
    ExpectTheFormInTwips(window_, static_cast<int>(::GetDpiForWindow(window_)), true);
    EXPECT_FALSE(::IsWindowVisible(Control(kIdTxtOpen1))) << "txtOpen1 is hidden";
    EXPECT_EQ(Style(Control(kIdCmdMatch)) & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "Match is the default button";
    EXPECT_TRUE(FocusReaches(kIdTxtBrowse)) << "the first box has the focus at start";
}

TEST_F(MatchProgram, LaysOutInTwipsAtTheDisplaysDpi) {
    match_.End();
    const ScreenDpiScope largeText(144);
    ASSERT_TRUE(largeText.Set());
    StartMatch();
    ExpectTheFormInTwips(window_, 144, false);
}

TEST_F(MatchProgram, TabWalksTheControlsInTabOrder) {
    ASSERT_TRUE(FocusReaches(kIdTxtBrowse));
    // Labels take no focus and the hidden box is skipped.
    // Enter presses the focused push button, else Match: that button is drawn as the default one.
    const auto defaultButton = [&] {
        for (int id : {kIdCmdBrowse, kIdCmdOpen, kIdCmdMatch, kIdCmdHelp, kIdCmdExit}) {
            if ((Style(Control(id)) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
        }
        return 0;
    };
    for (int next : {kIdTxtOpen, kIdCmdBrowse, kIdCmdOpen, kIdCmdMatch, kIdCmdHelp, kIdCmdExit, kIdTxtBrowse}) {
        PressKey(FocusedWindowOf(window_), VK_TAB);
        EXPECT_TRUE(FocusReaches(next)) << "Tab should reach control " << next;
        const bool onButton = next != kIdTxtOpen && next != kIdTxtBrowse;
        EXPECT_TRUE(WaitFor([&] { return defaultButton() == (onButton ? next : kIdCmdMatch); }, 2s))
            << "default button " << defaultButton() << " with the focus on " << next;
    }
}

TEST_F(MatchProgram, ScreenReadersFindANameForEveryBoxAndButton) {
    // A box is named by the label right before it in the window order.
    EXPECT_EQ(::GetWindow(Control(kIdTxtBrowse), GW_HWNDPREV), Control(kIdLblCaption1));
    EXPECT_EQ(::GetWindow(Control(kIdTxtOpen), GW_HWNDPREV), Control(kIdLblCaption0));

    // The "..." buttons are named through the system's annotation service, where it takes names;
    // Wine's refuses every call, and there the buttons are read by their caption.
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const bool annotations = SystemTakesAnnotations();
    for (const auto& [id, name] :
         {std::pair{kIdCmdBrowse, L"Browse for the lyrics folder"}, std::pair{kIdCmdOpen, L"Browse for the playlist file"}}) {
        const std::wstring read = AccessibleNameOf(Control(id));
        EXPECT_EQ(read, annotations ? std::wstring(name) : L"...") << "control " << id;
        RecordProperty(id == kIdCmdBrowse ? "cmdBrowse_name" : "cmdOpen_name", ::testing::PrintToString(read));
    }
    RecordProperty("system_annotation", annotations ? "accepted" : "refused");
    ::CoUninitialize();
}

}  // namespace
}  // namespace match_e2e
