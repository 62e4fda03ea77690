// BoxBalloon: a balloon tip at an edit box that says why its text was refused, as Windows' own
// dialogs do for bad input. The edit's own balloon (EM_SHOWBALLOONTIP) where the system gives
// one; otherwise a balloon tooltip of the window's own, tracked at the box.
#pragma once

#include <windows.h>

#include <string>

namespace lyrics::orlisk::win32 {

class BoxBalloon {
public:
    // Shows title and text at box, in place of what it showed before.
    void Show(HWND box, const std::wstring& title, const std::wstring& text);
    // Takes the balloon away; nothing when none shows.
    void Hide();

private:
    HWND EnsureTooltip(HWND box);

    // The tooltip window belongs to the box's top-level window and goes with it.
    HWND tooltip_ = nullptr;
    HWND box_ = nullptr;
    std::wstring title_;
    std::wstring text_;
};

// What the balloon says for a lyrics folder the check refused: the folder and the system's reason
// for not finding it, or, for an empty box, what to put there.
struct RefusedFolderWords {
    std::wstring title;
    std::wstring text;
};
RefusedFolderWords RefusedFolderWordsFor(const std::wstring& folder);

}  // namespace lyrics::orlisk::win32
