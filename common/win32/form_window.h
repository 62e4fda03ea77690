// FormWindow: a BaseWindow laid out as a form. Its controls come from a table in twips
// (control_table.h) and take the form's fonts (dialog_font.h), both at the DPI of the monitor
// the window shows on; when the window moves to a monitor of another DPI, the form follows.
// Controls the table names for screen readers get their names (accessible_names.h) for the
// window's life.
// A derived window keeps only what is its own: its handlers, and how a control fits its caption.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "common/win32/accessible_names.h"
#include "common/win32/base_window.h"
#include "common/win32/control_table.h"
#include "common/win32/dialog_font.h"
#include "common/win32/window_text.h"

namespace lyrics {

struct FormTemplate {
    WindowTemplate window;
    std::span<const ControlTemplate> controls;  // in tab order
    int clientWidth, clientHeight;              // twips
};

class FormWindow : public BaseWindow {
protected:
    explicit FormWindow(const FormTemplate& form) noexcept : form_(form) {}
    ~FormWindow() = default;

    // From WM_CREATE: creates the table's controls and lays them out at the window's DPI.
    void BuildForm();
    // Takes the fonts and places the controls for dpi (0 is read as 96). A form that keeps more
    // at the DPI (icons) adds it in an override that calls this one first.
    virtual void ApplyDpi(UINT dpi);
    // Where the control goes, given its rectangle from the table at the current DPI and the font it
    // shows its caption in. By default the table's rectangle, a label's as wide as its caption; a
    // form whose other controls grow to show their captions whole adjusts them here.
    virtual RECT FitControl(const ControlTemplate& control, const RECT& rect, HFONT font) const;

    // The messages every form handles alike (WM_DPICHANGED, WM_DESTROY); the others go to
    // DefaultHandling. A derived HandleMessage passes on here what it does not handle itself, and
    // WM_DESTROY after its own handling.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The window's size for the form's client area at the current DPI.
    SIZE WindowSize() const;
    // The window takes WindowSize() where it stands.
    void SizeToForm();
    // The window moves to the middle of its monitor's work area (the primary monitor's if none).
    void CentreOnMonitor();

    UINT Dpi() const noexcept { return dpi_; }
    HWND Control(int id) const noexcept { return ::GetDlgItem(Hwnd(), id); }
    std::wstring ControlText(int id) const { return WindowText(Control(id)); }
    const FormTemplate& Form() const noexcept { return form_; }

    // The size text takes in font; false when it cannot be measured.
    static bool MeasureText(HFONT font, const wchar_t* text, SIZE& extent);
    // rect with its width that of the control's caption in font and at least its height, as an
    // auto-sized label takes; rect itself when the caption cannot be measured.
    static RECT FittedToCaption(const ControlTemplate& control, const RECT& rect, HFONT font);

private:
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    const FormTemplate& form_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    DialogFonts fonts_;
    AccessibleNames accessibleNames_;
};

}  // namespace lyrics
