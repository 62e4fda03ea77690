// Lengths at a DPI and the form's font: the arithmetic both programs' layouts rest on.
#include <gtest/gtest.h>

#include "common/win32/dialog_font.h"
#include "common/win32/dpi.h"

namespace lyrics {
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

TEST(DialogFontHeight, EightAndAQuarterPointsScaleWithTheDpi) {
    EXPECT_EQ(DialogFontHeight(96), -11);
    EXPECT_EQ(DialogFontHeight(144), -17);  // 16.5 rounds away from zero
    EXPECT_EQ(DialogFontHeight(192), -22);
}

TEST(DialogFonts, AreTheFormsFaceAtTheDpiInBothWeights) {
    const DialogFonts fonts = MakeDialogFonts(144);
    LOGFONTW regular{};
    LOGFONTW bold{};
    ASSERT_EQ(::GetObjectW(fonts.Get(false), sizeof regular, &regular), static_cast<int>(sizeof regular));
    ASSERT_EQ(::GetObjectW(fonts.Get(true), sizeof bold, &bold), static_cast<int>(sizeof bold));
    EXPECT_STREQ(regular.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(regular.lfHeight, -17);
    EXPECT_EQ(regular.lfWeight, FW_NORMAL);
    EXPECT_EQ(bold.lfHeight, -17);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(regular.lfQuality, DEFAULT_QUALITY) << "the user's own font smoothing";
}

TEST(WindowSizeForClient, AddsTheFrameOfTheStyle) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const SIZE size = WindowSizeForClient(SIZE{300, 100}, style, 0, 96);
    RECT expected{0, 0, 300, 100};
    ::AdjustWindowRectEx(&expected, style, FALSE, 0);
    EXPECT_EQ(size.cx, expected.right - expected.left);
    EXPECT_EQ(size.cy, expected.bottom - expected.top);
    EXPECT_GT(WindowSizeForClient(SIZE{300, 100}, style, 0, 192).cy, size.cy) << "a taller caption at 192 DPI";
}

}  // namespace
}  // namespace lyrics
