#include "match/win32/form_layout.h"

#include <gtest/gtest.h>

#include <string_view>

#include "common/win32/dpi.h"

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

TEST(FormControls, AreInTabOrderWithOnlyTheScratchBoxHidden) {
    const int tabOrder[] = {kIdTxtBrowse,   kIdTxtOpen,  kIdCmdBrowse, kIdCmdOpen, kIdLblCaption0,
                            kIdLblCaption1, kIdCmdMatch, kIdCmdHelp,   kIdCmdExit, kIdTxtOpen1};
    ASSERT_EQ(std::size(tabOrder), kFormControls.size());
    int defaultButtons = 0;
    for (std::size_t i = 0; i < kFormControls.size(); ++i) {
        const ControlTemplate& control = kFormControls[i];
        const bool visible = (control.style & WS_VISIBLE) != 0;
        const bool defaultButton =
            std::wstring_view(control.windowClass) == L"BUTTON" && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        EXPECT_EQ(control.id, tabOrder[i]);
        EXPECT_EQ(visible, control.id != kIdTxtOpen1) << control.name;
        defaultButtons += defaultButton;
    }
    EXPECT_EQ(defaultButtons, 1);
}

}  // namespace
}  // namespace lyrics::match::win32
