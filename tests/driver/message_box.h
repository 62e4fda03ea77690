// Message boxes another program shows, as a test reads and answers them: caption, text, buttons,
// the default button and the colour of the icon as it stands on screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace lyrics::testing {

enum class IconColour { None, Red, Blue, Other };

struct MessageBoxView {
    HWND box = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;  // control ids, in tab order (IDOK, IDYES, IDNO ...)
    int defaultButton = 0;
    IconColour icon = IconColour::None;
};

// Reads a message box shown on screen: red for the critical icon, blue for the information icon.
MessageBoxView ReadMessageBox(HWND box);
// Presses the box's button with that id and waits for the box to go; false if it stays.
bool AnswerMessageBox(HWND box, int buttonId);

}  // namespace lyrics::testing
