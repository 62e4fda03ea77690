#include "common/win32/handler_failure.h"

#include <cwchar>
#include <new>

#include "common/win32/window_text.h"

namespace lyrics {

namespace {

// The exception's own words, widened: what() is ASCII in practice, and a byte beyond it is shown
// in the ANSI code page.
std::wstring Widen(const char* text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

// One box at a time: the windows of a program share one thread.
bool failureBoxShown = false;

}  // namespace

std::wstring FailedAction(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (const auto control = reinterpret_cast<HWND>(lParam); control && ::IsChild(window, control)) {
                return L"The command \"" + WindowText(control) + L"\"";
            }
            return L"Command " + std::to_wstring(LOWORD(wParam));
        case WM_TIMER:
            return L"The timer";
        case WM_NCCREATE:
        case WM_CREATE:
            return L"Opening the window";
        default:
            break;
    }
    wchar_t number[16] = {};
    std::swprintf(number, std::size(number), L"0x%04X", message);
    return std::wstring(L"The window's message ") + number;
}

std::wstring HandlerFailureText(std::wstring_view action, const std::exception_ptr& failure) {
    std::wstring text(action);
    text += L" could not be finished";
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        text += L": there is not enough memory.";
    } catch (const std::exception& exception) {
        const std::wstring what = Widen(exception.what());
        text += L" because of an unexpected error";
        text += what.empty() ? L"." : L" (" + what + L").";
    } catch (...) {
        text += L" because of an unexpected error.";
    }
    return text;
}

void ReportHandlerFailure(HWND window, const wchar_t* programName, UINT message, WPARAM wParam, LPARAM lParam,
                          const std::exception_ptr& failure) noexcept {
    if (failureBoxShown) return;
    failureBoxShown = true;
    try {
        const std::wstring text = HandlerFailureText(FailedAction(window, message, wParam, lParam), failure);
        // A tray program's window is hidden: the box comes to the front to be seen.
        ::MessageBoxW(window, text.c_str(), programName, MB_ICONERROR | MB_OK | MB_SETFOREGROUND);
    } catch (...) {
        // Composing the text needs memory; without it the box says the one thing it knows.
        ::MessageBoxW(window, L"There is not enough memory to finish.", programName, MB_ICONERROR | MB_OK | MB_SETFOREGROUND);
    }
    failureBoxShown = false;
}

}  // namespace lyrics
