#include "main_window.h"

#include <algorithm>
#include <exception>
#include <new>

#include "common/path_text.h"
#include "form_layout.h"
#include "program_folder.h"
#include "shell/folder_browse.h"
#include "shell/playlist_file_dialog.h"
#include "unmatch_offer.h"

namespace match {

namespace {

constexpr wchar_t kClassName[] = L"LyricsMatchMainWindow";
constexpr wchar_t kCaption[] = L"Pellanor";
constexpr wchar_t kFailureCaption[] = L"Match";
constexpr wchar_t kHelpFileName[] = L"Match Help.txt";
constexpr wchar_t kFolderPrompt[] = L"Lyrics Folder...";

// Posted to itself when a control takes the focus.
constexpr UINT kFocusMovedMessage = WM_APP + 1;

// Fixed border, system menu and close box; no minimise or maximise box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

DWORD ControlStyle(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
            return WS_CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        case ControlKind::Button:
            return WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
        case ControlKind::DefaultButton:
            return WS_CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON | BS_NOTIFY;
        case ControlKind::Label:
            return WS_CHILD | SS_LEFT | SS_NOPREFIX;
    }
    return WS_CHILD;
}

const wchar_t* ControlClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
            return L"EDIT";
        case ControlKind::Label:
            return L"STATIC";
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            break;
    }
    return L"BUTTON";
}

bool IsPushButton(HWND control) {
    const LRESULT code = ::SendMessageW(control, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

lyrics::UniqueHfont CreateFormFont(UINT dpi, bool bold) {
    LOGFONTW font{};
    font.lfHeight = FormFontHeight(dpi);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    ::lstrcpynW(font.lfFaceName, kFormFontFace, LF_FACESIZE);
    return lyrics::UniqueHfont(::CreateFontIndirectW(&font));
}

}  // namespace

// The hourglass over the window for the length of a run, as long as the run and its closing
// question last; the normal pointer comes back even when the run ends by an exception.
class WaitCursorScope {
public:
    explicit WaitCursorScope(MainWindow& window) : window_(window) {
        window_.busy_ = true;
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;
    ~WaitCursorScope() {
        window_.busy_ = false;
        POINT point{};
        if (::GetCursorPos(&point) && ::GetAncestor(::WindowFromPoint(point), GA_ROOT) == window_.window_) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        }
    }

private:
    MainWindow& window_;
};

bool MainWindow::Register(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = 0;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    windowClass.hIcon =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_MATCH), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hIconSm =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_MATCH), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                        ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return ::RegisterClassExW(&windowClass) != 0;
}

bool MainWindow::Create(HINSTANCE instance) {
    // Start on the primary monitor, so the DPI the window is laid out at is the one it shows at;
    // OnCreate then sizes and centres it.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const HWND window = ::CreateWindowExW(kWindowExStyle, kClassName, kCaption, kWindowStyle, monitor.rcWork.left,
                                          monitor.rcWork.top, 0, 0, nullptr, nullptr, instance, this);
    return window != nullptr;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        ::MessageBoxW(window, L"There is not enough memory to finish.", kFailureCaption, MB_ICONERROR | MB_OK);
    } catch (const std::exception&) {
        ::MessageBoxW(window, L"The command could not be finished because of an unexpected error.", kFailureCaption,
                      MB_ICONERROR | MB_OK);
    }
    return 0;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor()) return TRUE;
            break;
        case DM_GETDEFID:
            return MAKELRESULT(IDC_CMDMATCH, DC_HASDEFID);
        case kFocusMovedMessage:
            OnFocusMoved();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

bool MainWindow::OnCreate() {
    CreateControls();
    ApplyDpi(::GetDpiForWindow(window_));

    const SIZE size = WindowSizeForClient();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int left = work.left + (work.right - work.left - size.cx) / 2;
    const int top = work.top + (work.bottom - work.top - size.cy) / 2;
    ::SetWindowPos(window_, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

    lastFocus_ = Control(IDC_TXTBROWSE);
    return true;
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnCommand(int id, int code, HWND) {
    if (code == BN_SETFOCUS || code == EN_SETFOCUS) {
        // The dialog manager restyles the buttons itself right after it moves the focus; the
        // button Enter presses is shown once it is done.
        ::PostMessageW(window_, kFocusMovedMessage, 0, 0);
        return;
    }
    // A push button with BS_NOTIFY reports a quick second click as a double click; it is a click.
    if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return;
    switch (id) {
        case IDC_CMDMATCH:
            cmdMatch_Click();
            break;
        case IDC_CMDHELP:
            cmdHelp_Click();
            break;
        case IDC_CMDEXIT:
            cmdExit_Click();
            break;
        case IDC_CMDBROWSE:
            cmdBrowse_Click();
            break;
        case IDC_CMDOPEN:
            cmdOpen_Click();
            break;
        default:
            break;  // IDCANCEL from Esc among them: the form has no cancel button
    }
}

void MainWindow::OnActivate(bool active) {
    // Like a dialog, the window hands the focus back to the control that had it.
    if (!active) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(window_, focus)) lastFocus_ = focus;
        return;
    }
    if (lastFocus_ && ::IsWindow(lastFocus_)) {
        ::SetFocus(lastFocus_);
    } else if (const HWND first = ::GetNextDlgTabItem(window_, nullptr, FALSE)) {
        ::SetFocus(first);
    }
}

bool MainWindow::OnSetCursor() {
    if (!busy_) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

void MainWindow::OnFocusMoved() {
    const HWND focus = ::GetFocus();
    ShowDefaultButton(focus && ::IsChild(window_, focus) && IsPushButton(focus) ? focus : nullptr);
}

void MainWindow::OnDestroy() { ::PostQuitMessage(0); }

void MainWindow::cmdMatch_Click() {
    const lyrics::match::InputCheck check = lyrics::match::CheckMatchInputs(ControlText(IDC_TXTBROWSE), ControlText(IDC_TXTOPEN));
    if (check != lyrics::match::InputCheck::Passed) {
        ShowInvalidInput(check);
        return;
    }
    const WaitCursorScope hourglass(*this);
    RunMatchFromBoxes();
}

void MainWindow::cmdHelp_Click() { OpenWithShell(window_, lyrics::JoinPath(ProgramFolder(), kHelpFileName)); }

void MainWindow::cmdExit_Click() { ::DestroyWindow(window_); }

void MainWindow::cmdBrowse_Click() {
    const std::wstring folder = lyrics::BrowseFolder(window_, kFolderPrompt);
    if (!folder.empty()) ::SetWindowTextW(Control(IDC_TXTBROWSE), folder.c_str());
}

void MainWindow::cmdOpen_Click() {
    const std::wstring playlist = lyrics::PickPlaylistFile(window_);
    if (!playlist.empty()) ::SetWindowTextW(Control(IDC_TXTOPEN), playlist.c_str());
}

void MainWindow::RunMatchFromBoxes() {
    const std::wstring reportFolder = ProgramFolder();
    if (reportFolder.empty()) {
        ShowFailure(L"The unmatch list could not be written: the folder of Match.exe could not be found.");
        return;
    }
    lyrics::match::MatchRequest request;
    request.lyricsFolder = ControlText(IDC_TXTBROWSE);
    request.playlistPath = ControlText(IDC_TXTOPEN);
    request.reportFolder = reportFolder;
    const lyrics::Result<lyrics::match::MatchSummary> summary = lyrics::match::RunMatch(request);
    if (!summary) {
        ShowFailure(summary.failure().message);
        return;
    }
    OfferUnmatchList(window_, summary->reportPath);
}

void MainWindow::ShowInvalidInput(lyrics::match::InputCheck check) {
    const std::wstring message(lyrics::match::InputCheckMessage(check));
    const std::wstring caption(lyrics::match::kInputCheckCaption);
    ::MessageBoxW(window_, message.c_str(), caption.c_str(), MB_ICONERROR | MB_OK);
    const int offending = check == lyrics::match::InputCheck::InvalidLyricsFolder ? IDC_TXTBROWSE : IDC_TXTOPEN;
    ::SetFocus(Control(offending));
}

void MainWindow::ShowFailure(const std::wstring& message) {
    ::MessageBoxW(window_, message.c_str(), kFailureCaption, MB_ICONERROR | MB_OK);
}

void MainWindow::CreateControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const ControlSpec& spec : kFormControls) {
        const DWORD style = ControlStyle(spec.kind) | (spec.visible ? WS_VISIBLE : 0);
        const DWORD exStyle = spec.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
        ::CreateWindowExW(exStyle, ControlClass(spec.kind), spec.text, style, 0, 0, 0, 0, window_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
    }
}

void MainWindow::ApplyDpi(UINT dpi) {
    dpi_ = dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
    SetFormFonts();
    LayOutControls();
    SetWindowIcons();
}

void MainWindow::SetFormFonts() {
    // The controls switch to the new fonts before the old ones are deleted.
    lyrics::UniqueHfont regular = CreateFormFont(dpi_, false);
    lyrics::UniqueHfont bold = CreateFormFont(dpi_, true);
    for (const ControlSpec& spec : kFormControls) {
        const HFONT font = spec.kind == ControlKind::Label ? bold.get() : regular.get();
        ::SendMessageW(Control(spec.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    regularFont_ = std::move(regular);
    boldFont_ = std::move(bold);
}

void MainWindow::LayOutControls() {
    const lyrics::WindowDc dc(window_);
    const lyrics::ObjectSelection select(dc.get(), boldFont_.get());
    for (const ControlSpec& spec : kFormControls) {
        RECT rect = ControlRect(spec, dpi_);
        if (spec.kind == ControlKind::Label) {
            // Labels fit their text, as the form's auto-sized labels do, so a wider font at
            // another DPI never clips them.
            SIZE text{};
            const int length = ::lstrlenW(spec.text);
            if (::GetTextExtentPoint32W(dc.get(), spec.text, length, &text)) {
                rect.right = rect.left + text.cx;
                rect.bottom = rect.top + std::max<LONG>(text.cy, rect.bottom - rect.top);
            }
        }
        ::SetWindowPos(Control(spec.id), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(Control(spec.id), nullptr, TRUE);
    }
}

void MainWindow::SetWindowIcons() {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    const auto load = [&](int width, int height) {
        return lyrics::UniqueHicon(
            static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_MATCH), IMAGE_ICON, width, height, 0)));
    };
    lyrics::UniqueHicon big = load(::GetSystemMetricsForDpi(SM_CXICON, dpi_), ::GetSystemMetricsForDpi(SM_CYICON, dpi_));
    lyrics::UniqueHicon small = load(::GetSystemMetricsForDpi(SM_CXSMICON, dpi_), ::GetSystemMetricsForDpi(SM_CYSMICON, dpi_));
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

SIZE MainWindow::WindowSizeForClient() const {
    RECT rect{0, 0, TwipsToPixels(kFormClientWidth, dpi_), TwipsToPixels(kFormClientHeight, dpi_)};
    ::AdjustWindowRectExForDpi(&rect, kWindowStyle, FALSE, kWindowExStyle, dpi_);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

std::wstring MainWindow::ControlText(int id) const {
    const HWND control = Control(id);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

void MainWindow::ShowDefaultButton(HWND focusedButton) {
    const HWND defaultButton = focusedButton ? focusedButton : Control(IDC_CMDMATCH);
    for (const ControlSpec& spec : kFormControls) {
        if (spec.kind != ControlKind::Button && spec.kind != ControlKind::DefaultButton) continue;
        const HWND button = Control(spec.id);
        const LONG_PTR style = ::GetWindowLongPtrW(button, GWL_STYLE);
        const LONG_PTR wanted = button == defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((style & BS_TYPEMASK) != wanted) ::SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
    }
}

}  // namespace match
