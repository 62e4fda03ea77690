#include "common/win32/window_text.h"

#include <algorithm>

namespace lyrics {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(std::max(::GetWindowTextLengthW(window), 0)) + 1, L'\0');
    const int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

void FocusAndSelectAll(HWND edit) {
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
}

}  // namespace lyrics
