// The check of a form window against the template it was made from, for both programs' forms:
// each control of the table where the table puts it at a DPI, shown or hidden as the table says,
// named for a screen reader, and Tab and Shift+Tab walking the table's stops in its order.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "common/win32/dpi.h"
#include "common/win32/form_window.h"
#include "tests/driver/fake_annotation_service.h"

namespace lyrics::testing {

// twips as pixels at dpi, rounded to the nearest pixel, halves away from zero.
inline int PixelsOf(int twips, UINT dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((720 - scaled) / 1440));
}

// Where the table puts control at dpi: every edge from its own twips.
inline RECT TableRectOf(const ControlTemplate& control, UINT dpi) {
    return RECT{PixelsOf(control.left, dpi), PixelsOf(control.top, dpi), PixelsOf(control.left + control.width, dpi),
                PixelsOf(control.top + control.height, dpi)};
}

// Where child stands in its parent's client area.
inline RECT ChildRectOf(HWND child) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The form lays itself out at dpi, as when its window moves to a monitor of that DPI.
inline void LayOutAt(HWND window, UINT dpi) {
    RECT suggested{};
    ::GetWindowRect(window, &suggested);
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

inline bool IsClass(const ControlTemplate& control, const wchar_t* windowClass) {
    return ::_wcsicmp(control.windowClass, windowClass) == 0;
}

inline bool IsCheckOrOption(const ControlTemplate& control) {
    const DWORD type = control.style & BS_TYPEMASK;
    return IsClass(control, L"BUTTON") && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
}

// The window order the table makes: its own order, but a label that names a control right before it.
inline std::vector<const ControlTemplate*> WindowOrderOfTable(const FormTemplate& form) {
    std::vector<const ControlTemplate*> order;
    for (const ControlTemplate& control : form.controls) {
        if (control.labelFor) continue;
        for (const ControlTemplate& label : form.controls)
            if (label.labelFor == control.id) order.push_back(&label);
        order.push_back(&control);
    }
    return order;
}

// The stops Tab walks, from the table: its shown tab stops in order, a group of options entered at
// the one chosen in window.
inline std::vector<HWND> TabStopsOfTable(HWND window, const FormTemplate& form) {
    std::vector<HWND> stops;
    const auto& table = form.controls;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const DWORD shownStop = WS_TABSTOP | WS_VISIBLE;
        if ((table[i].style & shownStop) != shownStop) continue;
        HWND stop = ::GetDlgItem(window, table[i].id);
        for (std::size_t j = i; IsCheckOrOption(table[i]) && j < table.size() && (j == i || !(table[j].style & WS_GROUP)); ++j) {
            if (::IsDlgButtonChecked(window, table[j].id) == BST_CHECKED) stop = ::GetDlgItem(window, table[j].id);
        }
        stops.push_back(stop);
    }
    return stops;
}

// What a screen reader calls control: the name the table gives it where the system's annotation
// service takes names; a text box, the caption of the nearest label before it in the window order;
// anything else, its own caption.
inline std::wstring SpokenName(const ControlTemplate& control, const FormTemplate& form, bool annotations) {
    if (control.accessibleName && annotations) return control.accessibleName;
    if (!IsClass(control, L"EDIT")) return control.caption;
    std::wstring label;
    for (const ControlTemplate* before : WindowOrderOfTable(form)) {
        if (before == &control) break;
        if (IsClass(*before, L"STATIC")) label = before->caption;
    }
    return label;
}

// The table's names of windows, so that a failure says which control is out of place.
inline std::vector<std::wstring> NamesOf(const FormTemplate& form, const std::vector<HWND>& windows) {
    std::vector<std::wstring> names;
    for (const HWND window : windows) {
        const int id = ::GetDlgCtrlID(window);
        const auto row = std::find_if(form.controls.begin(), form.controls.end(), [&](const auto& c) { return c.id == id; });
        names.emplace_back(window && row != form.controls.end() ? row->name : L"(no control of the table)");
    }
    return names;
}

// One control against its row of the table: its class, its kind and whether it shows, where it
// stands at dpi and the name a screen reader reads.
inline void ExpectControlAsItsRow(HWND window, const ControlTemplate& control, const FormTemplate& form, UINT dpi,
                                  bool annotations) {
    SCOPED_TRACE(::testing::Message() << control.name);
    const HWND child = ::GetDlgItem(window, control.id);
    ASSERT_NE(child, nullptr);
    wchar_t windowClass[32] = {};
    ::GetClassNameW(child, windowClass, 32);
    EXPECT_EQ(::_wcsicmp(windowClass, control.windowClass), 0) << windowClass;
    // Shown or hidden, a tab stop or not, and a button of the table's kind (the default one among them).
    const DWORD kept = WS_VISIBLE | WS_TABSTOP | WS_GROUP | (IsClass(control, L"BUTTON") ? BS_TYPEMASK : 0);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE)) & kept, control.style & kept);

    const RECT table = TableRectOf(control, dpi);
    const RECT rect = ChildRectOf(child);
    EXPECT_EQ(rect.left, table.left);
    EXPECT_EQ(rect.top, table.top);
    if (IsClass(control, L"STATIC")) {
        // A label is as wide as its caption in its own font, and at least as high.
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0));
        const HDC dc = ::GetDC(nullptr);
        const HGDIOBJ old = ::SelectObject(dc, font);
        SIZE text{};
        ::GetTextExtentPoint32W(dc, control.caption, static_cast<int>(std::wcslen(control.caption)), &text);
        ::SelectObject(dc, old);
        ::ReleaseDC(nullptr, dc);
        EXPECT_EQ(rect.right - rect.left, text.cx) << "as wide as its caption";
        EXPECT_EQ(rect.bottom - rect.top, std::max<LONG>(text.cy, table.bottom - table.top));
    } else if (IsCheckOrOption(control)) {
        // A check box or option grows to the right, within the form, when its caption needs it.
        EXPECT_EQ(rect.bottom, table.bottom);
        EXPECT_GE(rect.right, table.right);
        EXPECT_LE(rect.right, PixelsOf(form.clientWidth, dpi));
    } else {
        EXPECT_EQ(rect.bottom, table.bottom);
        EXPECT_EQ(rect.right, table.right);
    }
    EXPECT_EQ(AccessibleNameOf(child), SpokenName(control, form, annotations));
}

// The form window against its template at dpi: the client area (at the DPI of its monitor, whose
// frame it has), every control as its row, the window order and the walks of Tab and Shift+Tab.
inline void ExpectFormAsItsTemplate(HWND window, const FormTemplate& form, UINT dpi) {
    SCOPED_TRACE(::testing::Message() << form.window.className << " at " << dpi << " DPI");
    if (dpi == WindowDpi(window)) {
        RECT client{};
        ::GetClientRect(window, &client);
        EXPECT_EQ(client.right, PixelsOf(form.clientWidth, dpi));
        EXPECT_EQ(client.bottom, PixelsOf(form.clientHeight, dpi));
    }
    const bool annotations = SystemTakesAnnotations();
    for (const ControlTemplate& control : form.controls) ExpectControlAsItsRow(window, control, form, dpi, annotations);

    std::vector<HWND> order;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) order.push_back(child);
    std::vector<HWND> tableOrder;
    for (const ControlTemplate* control : WindowOrderOfTable(form)) tableOrder.push_back(::GetDlgItem(window, control->id));
    EXPECT_EQ(NamesOf(form, order), NamesOf(form, tableOrder)) << "each label right before the box it names";

    const std::vector<HWND> stops = TabStopsOfTable(window, form);
    ASSERT_FALSE(stops.empty());
    std::vector<HWND> forward{::GetNextDlgTabItem(window, nullptr, FALSE)};
    std::vector<HWND> backward{stops.back()};
    for (std::size_t step = 0; step < stops.size(); ++step) {
        forward.push_back(::GetNextDlgTabItem(window, forward.back(), FALSE));
        backward.push_back(::GetNextDlgTabItem(window, backward.back(), TRUE));
    }
    std::vector<HWND> expected = stops;
    expected.push_back(stops.front());
    EXPECT_EQ(NamesOf(form, forward), NamesOf(form, expected)) << "Tab walks the table's stops and comes back to the first";
    std::vector<HWND> reversed(stops.rbegin(), stops.rend());
    reversed.push_back(stops.back());
    EXPECT_EQ(NamesOf(form, backward), NamesOf(form, reversed)) << "Shift+Tab walks them back";
}

}  // namespace lyrics::testing
