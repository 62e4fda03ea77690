#include "match/win32/form_layout.h"

#include <gtest/gtest.h>

#include <string_view>

#include "common/win32/dpi.h"
#include "match/win32/main_window.h"
#include "tests/match_win32/form_template_check.h"

namespace lyrics::match::win32 {
namespace {

TEST(ControlRect, EdgesComeFromTheTwipsOfTheEdges) {
    // cmdBrowse at 168 DPI: left 4530 -> 528.5 -> 529, right edge 4905 -> 572.25 -> 572; a width
    // rounded on its own (375 -> 43.75 -> 44) would end at 573.
    const ControlTemplate& cmdBrowse = kFormControls[2];
    const RECT button = ControlRect(cmdBrowse, 168);
    EXPECT_EQ(button.left, 529);
    EXPECT_EQ(button.right, 572);
    EXPECT_EQ(button.top, 14);
    EXPECT_EQ(button.bottom, 44);  // 375 twips -> 43.75

    // Neighbours keep their gap: txtBrowse ends before the "..." button at every DPI.
    for (const UINT dpi : {96u, 120u, 144u, 168u, 192u}) {
        EXPECT_LT(ControlRect(kFormControls[0], dpi).right, ControlRect(cmdBrowse, dpi).left) << dpi;
    }
}

TEST(ControlRect, EveryControlLiesInsideTheClientArea) {
    for (const UINT dpi : {96u, 120u, 144u, 168u, 192u, 288u}) {
        for (const ControlTemplate& control : kFormControls) {
            const RECT rect = ControlRect(control, dpi);
            EXPECT_GE(rect.left, 0) << control.name << " at " << dpi;
            EXPECT_LE(rect.right, TwipsToPixels(kFormClientWidth, dpi)) << control.name << " at " << dpi;
            EXPECT_LE(rect.bottom, TwipsToPixels(kFormClientHeight, dpi)) << control.name << " at " << dpi;
        }
    }
}

TEST(FormControls, OnlyTheScratchBoxIsHiddenAndMatchIsTheDefaultButton) {
    for (const ControlTemplate& control : kFormControls) {
        EXPECT_EQ((control.style & WS_VISIBLE) != 0, control.id != kIdTxtOpen1) << control.name;
        const bool isDefault =
            std::wstring_view(control.windowClass) == L"BUTTON" && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        EXPECT_EQ(isDefault, control.id == kIdCmdMatch) << control.name;
    }
}

// Match's own window against its table at the display's DPI and as it moves to others.
TEST(MainWindowForm, IsItsTemplateAtEveryDpi) {
    {
        MainWindow window;
        ASSERT_TRUE(window.Create(::GetModuleHandleW(nullptr)));
        testing::ExpectFormAsItsTemplate(window.Hwnd(), kMainForm, WindowDpi(window.Hwnd()));
        for (const UINT dpi : {144u, 192u}) {
            testing::LayOutAt(window.Hwnd(), dpi);
            testing::ExpectFormAsItsTemplate(window.Hwnd(), kMainForm, dpi);
        }
    }
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

}  // namespace
}  // namespace lyrics::match::win32
