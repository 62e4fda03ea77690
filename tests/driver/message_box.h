// Message boxes another program shows, as a test reads and answers them: caption, text, buttons,
// the default button and the colour of the icon as it stands on screen.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "tests/driver/window_search.h"

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

namespace detail {

// Samples the icon as it stands on screen; the critical icon is mostly red, the information icon
// mostly blue, whatever theme draws them.
inline IconColour ScreenColourOf(HWND icon) {
    RECT rect{};
    if (!::GetWindowRect(icon, &rect)) return IconColour::None;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return IconColour::None;

    // One copy of the screen area into a 32-bit DIB, rather than a round trip per pixel.
    const WindowDc screen;
    const UniqueHdc memory(::CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueHbitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return IconColour::None;
    bool copied = false;
    {
        const ObjectSelection selection(memory.get(), bitmap.get());
        copied = ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    }
    if (!copied) return IconColour::None;

    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    int red = 0, blue = 0, coloured = 0;
    for (int i = 0; i < width * height; ++i) {
        const int b = pixels[4 * i], g = pixels[4 * i + 1], r = pixels[4 * i + 2];
        const int high = std::max({r, g, b}), low = std::min({r, g, b});
        if (high - low < 60) continue;  // grey, white, black: no hue
        ++coloured;
        if (r == high && r > g + 40 && r > b + 40) ++red;
        if (b == high && b > r + 40) ++blue;
    }
    if (coloured == 0) return IconColour::None;
    if (red * 2 > coloured) return IconColour::Red;
    if (blue * 2 > coloured) return IconColour::Blue;
    return IconColour::Other;
}

}  // namespace detail

// Reads a message box shown on screen: red for the critical icon, blue for the information icon.
inline MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.box = box;
    view.caption = WindowText(box);
    HWND icon = nullptr;
    for (HWND child : ChildWindows(box)) {
        if (IsOfClass(child, L"Static")) {
            if ((Style(child) & SS_TYPEMASK) == SS_ICON) {
                icon = child;
            } else if (const std::wstring text = WindowText(child); !text.empty()) {
                view.text = text;
            }
        } else if (IsOfClass(child, L"Button")) {
            if (!::IsWindowVisible(child)) continue;
            view.buttons.push_back(ControlId(child));
            if ((Style(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) view.defaultButton = ControlId(child);
        }
    }
    // The box may not have painted its icon yet when it is first seen.
    if (icon) WaitFor([&] { return (view.icon = detail::ScreenColourOf(icon)) != IconColour::None; }, 3s);
    return view;
}

// Presses the box's button with that id and waits for the box to go; false if it stays.
inline bool AnswerMessageBox(HWND box, int buttonId) {
    const HWND button = ::GetDlgItem(box, buttonId);
    if (!button) return false;
    Click(button);
    return WaitFor([&] { return !::IsWindow(box); }, kWindowTimeout);
}

}  // namespace lyrics::testing
