#include "match/win32/form_layout.h"

#include <gtest/gtest.h>

namespace match {
namespace {

TEST(TwipsToPixels, FifteenTwipsAreOnePixelAtNinetySixDpi) {
    EXPECT_EQ(TwipsToPixels(4935, 96), 329);
    EXPECT_EQ(TwipsToPixels(1350, 96), 90);
    EXPECT_EQ(TwipsToPixels(0, 96), 0);
}

TEST(TwipsToPixels, RoundsToTheNearestPixelAtOtherDpis) {
    EXPECT_EQ(TwipsToPixels(4935, 144), 494);  // 493.5
    EXPECT_EQ(TwipsToPixels(4935, 120), 411);  // 411.25
    EXPECT_EQ(TwipsToPixels(375, 192), 50);
}

TEST(ControlRect, EdgesComeFromTheTwipsOfTheEdges) {
    // cmdBrowse at 168 DPI: left 4530 -> 528.5 -> 529, right edge 4905 -> 572.25 -> 572; a width
    // rounded on its own (375 -> 43.75 -> 44) would end at 573.
    const ControlSpec& cmdBrowse = kFormControls[2];
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
        for (const ControlSpec& spec : kFormControls) {
            const RECT rect = ControlRect(spec, dpi);
            EXPECT_GE(rect.left, 0) << spec.name << " at " << dpi;
            EXPECT_LE(rect.right, TwipsToPixels(kFormClientWidth, dpi)) << spec.name << " at " << dpi;
            EXPECT_LE(rect.bottom, TwipsToPixels(kFormClientHeight, dpi)) << spec.name << " at " << dpi;
        }
    }
}

TEST(FormFontHeight, EightAndAQuarterPointsScaleWithTheDpi) {
    EXPECT_EQ(FormFontHeight(96), -11);
    EXPECT_EQ(FormFontHeight(144), -17);  // 16.5 rounds away from zero
    EXPECT_EQ(FormFontHeight(192), -22);
}

TEST(FormControls, AreInTabOrderWithOnlyTheScratchBoxHidden) {
    const int tabOrder[] = {IDC_TXTBROWSE,   IDC_TXTOPEN,  IDC_CMDBROWSE, IDC_CMDOPEN, IDC_LBLCAPTION0,
                            IDC_LBLCAPTION1, IDC_CMDMATCH, IDC_CMDHELP,   IDC_CMDEXIT, IDC_TXTOPEN1};
    ASSERT_EQ(std::size(tabOrder), kFormControls.size());
    int defaultButtons = 0;
    for (std::size_t i = 0; i < kFormControls.size(); ++i) {
        EXPECT_EQ(kFormControls[i].id, tabOrder[i]);
        EXPECT_EQ(kFormControls[i].visible, kFormControls[i].id != IDC_TXTOPEN1) << kFormControls[i].name;
        defaultButtons += kFormControls[i].kind == ControlKind::DefaultButton;
    }
    EXPECT_EQ(defaultButtons, 1);
}

}  // namespace
}  // namespace match
