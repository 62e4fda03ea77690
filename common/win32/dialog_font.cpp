#include "common/win32/dialog_font.h"

namespace lyrics {

namespace {
constexpr int kCentipointsPerInch = 7200;
}  // namespace

int DialogFontHeight(UINT dpi) { return -::MulDiv(kDialogFontCentipoints, static_cast<int>(dpi), kCentipointsPerInch); }

UniqueHfont MakeDialogFont(UINT dpi, bool bold) {
    LOGFONTW font{};
    font.lfHeight = DialogFontHeight(dpi);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    // Where the face is missing, the mapper takes a proportional sans-serif face in its place.
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    ::lstrcpynW(font.lfFaceName, kDialogFontFace, LF_FACESIZE);
    return UniqueHfont(::CreateFontIndirectW(&font));
}

DialogFonts MakeDialogFonts(UINT dpi) { return DialogFonts{MakeDialogFont(dpi, false), MakeDialogFont(dpi, true)}; }

}  // namespace lyrics
