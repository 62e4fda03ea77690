// Whether text can be written in the 8-bit code page and read back unchanged.
// On Windows a character fits when its round trip through the ANSI code page (CP_ACP, no best-fit
// look-alikes) gives the same character; elsewhere when the Windows-1252 table holds it.
#pragma once

#include <string>
#include <string_view>

namespace lyrics {

// Appends the text's bytes in the 8-bit code page when every character fits; false when one does
// not, and what was appended is then of no use.
bool AppendAnsiExactly(std::string& out, std::wstring_view text);

}  // namespace lyrics
