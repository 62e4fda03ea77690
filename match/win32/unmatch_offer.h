// OfferUnmatchList: the question that closes a match run, and the shell opening the list on Yes.
#pragma once

#include <windows.h>

#include <string>

namespace lyrics::match::win32 {

// If a file exists at reportPath, asks owner's user whether to open it ("Unmatch List", Yes/No,
// Yes the default) and on Yes hands it to the shell's default action. A list that is not there
// is not offered; a shell that cannot open it is not reported.
void OfferUnmatchList(HWND owner, const std::wstring& reportPath);

// The shell's default action ("open" for a text file) on path, in a normal window. The shell's
// answer is not examined: a file without an associated program simply does not open.
void OpenWithShell(HWND owner, const std::wstring& path);

}  // namespace lyrics::match::win32
