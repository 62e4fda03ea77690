// BaseWindow: a top-level window kept by a C++ object, the shape of Microsoft's BaseWindow sample.
//
// The object passes itself through lpCreateParams; the window procedure keeps it in GWLP_USERDATA
// from WM_NCCREATE and forgets it at WM_NCDESTROY, so no message after that reaches the object.
// Every other message goes to the derived class's HandleMessage, which only routes it to named
// handlers. An exception escaping a handler stops at the window procedure: the user is told what
// failed (handler_failure.h) and the window goes on.
#pragma once

#include <windows.h>

namespace lyrics {

// What a window is made of before it exists: its class, its icon, its caption and frame.
struct WindowTemplate {
    const wchar_t* className;
    int iconId;                  // the program's icon resource, for the caption bar and Alt+Tab
    const wchar_t* caption;      // the caption bar's text
    const wchar_t* programName;  // the caption of the box that reports a handler's failure
    DWORD style;
    DWORD exStyle;
};

class BaseWindow {
public:
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // The window, or null before it is created and once it is destroyed.
    HWND Hwnd() const noexcept { return hwnd_; }

protected:
    BaseWindow() = default;
    // A window still open is destroyed without its messages reaching the half-destroyed object;
    // a class whose handlers must see WM_DESTROY destroys its window in its own destructor.
    ~BaseWindow();

    // Registers the template's class (once per process) and creates the window at position and
    // size. False when Windows refused, or WM_CREATE failed.
    bool CreateFromTemplate(HINSTANCE instance, const WindowTemplate& window, POINT position, SIZE size);

    // Routes one message to its handler; what the window does not handle goes to DefaultHandling.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) const;

    void Destroy();
    HINSTANCE Instance() const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    const wchar_t* programName_ = L"";
};

}  // namespace lyrics
