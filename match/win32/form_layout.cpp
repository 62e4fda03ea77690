#include "form_layout.h"

namespace match {

namespace {
constexpr int kTwipsPerInch = 1440;
constexpr int kCentipointsPerInch = 7200;
}  // namespace

int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

RECT ControlRect(const ControlSpec& spec, UINT dpi) {
    const int left = TwipsToPixels(spec.left, dpi);
    const int top = TwipsToPixels(spec.top, dpi);
    // Right and bottom edges come from the twips of the edges themselves, so neighbouring controls
    // never drift apart or overlap by a rounding pixel.
    const int right = TwipsToPixels(spec.left + spec.width, dpi);
    const int bottom = TwipsToPixels(spec.top + spec.height, dpi);
    return RECT{left, top, right, bottom};
}

int FormFontHeight(UINT dpi) { return -MulDiv(kFormFontCentipoints, static_cast<int>(dpi), kCentipointsPerInch); }

}  // namespace match
