// Reading the stored settings into the controls' values, and the folder as "OK" stores it. Pure.
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
// "Players": false (Winamp only) when the text reads as 0; true otherwise, as when it is missing.
bool FollowsMediaPlayers(std::wstring_view text);
// What "Start" and "Auto" store: the state's decimal text.
std::wstring TextOfCheckState(CheckState state);

// folder + "\" unless empty or already ending in "\".
std::wstring WithTrailingBackslash(std::wstring_view folder);

}  // namespace lyrics::orlisk
