// Reading the stored settings into the controls' values, and the help file's place. Pure.
//
// A stored text is a number when it reads as one (ReadsAsNumber) and is compared as read: only a
// number equal to 0, 1 or 2 selects ("1.6" is none of them). A value that is not a number, or is
// another number, gives nothing: the control keeps its state.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "orlisk/settings_controls.h"

namespace lyrics::orlisk {

// "Size": 0, 1 or 2.
std::optional<int> SizeIndexFromText(std::wstring_view text);
// "Start", "Auto": 0 unchecked, 1 checked, 2 greyed.
std::optional<CheckState> CheckStateFromText(std::wstring_view text);
// What "Start" and "Auto" store: the state's decimal text.
std::wstring TextOfCheckState(CheckState state);

// folder + "\" unless empty or already ending in "\".
std::wstring WithTrailingBackslash(std::wstring_view folder);
// What the folder check searches for: the text as typed, with "*" after a trailing "\" (such a
// path stands for the folder's entries).
std::wstring FolderSearchPattern(std::wstring_view folder);

// The help file beside the program: folder + "\OrliskHelp.html", or, for a folder ending in "\"
// (a drive's root), folder + "Orlisk Help.txt".
std::wstring HelpFilePath(std::wstring_view programFolder);

}  // namespace lyrics::orlisk
