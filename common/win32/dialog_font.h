// The font of both programs' forms: MS Sans Serif at 8.25 points, regular or bold, at a DPI.
// Rendered at the user's own font smoothing (DEFAULT_QUALITY): a program that forces ClearType
// draws coloured fringes for a user who turned it off.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"

namespace lyrics {

inline constexpr const wchar_t* kDialogFontFace = L"MS Sans Serif";
inline constexpr int kDialogFontCentipoints = 825;

// The font's LOGFONT height at dpi: negative, in pixels, the character height without leading.
int DialogFontHeight(UINT dpi);

UniqueHfont MakeDialogFont(UINT dpi, bool bold);

// A form's two fonts at one DPI: labels and frames take the bold one.
struct DialogFonts {
    UniqueHfont regular;
    UniqueHfont bold;

    HFONT Get(bool wantBold) const noexcept { return wantBold ? bold.get() : regular.get(); }
};

DialogFonts MakeDialogFonts(UINT dpi);

}  // namespace lyrics
