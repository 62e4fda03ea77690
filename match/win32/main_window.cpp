#include "match/win32/main_window.h"

#include <string_view>

#include "common/path_text.h"
#include "common/quoted_path.h"
#include "common/win32/dpi.h"
#include "common/win32/program_folder.h"
#include "match/win32/form_layout.h"
#include "match/win32/unmatch_offer.h"
#include "shell/folder_browse.h"
#include "shell/playlist_file_dialog.h"

namespace lyrics::match::win32 {

namespace {

constexpr wchar_t kHelpFileName[] = L"Match Help.txt";
constexpr wchar_t kFolderPrompt[] = L"Lyrics Folder...";

// Posted to itself when a control takes the focus.
constexpr UINT kFocusMovedMessage = WM_APP + 1;

bool IsPushButton(HWND control) {
    const LRESULT code = ::SendMessageW(control, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

bool IsOfClass(const ControlTemplate& control, std::wstring_view windowClass) { return control.windowClass == windowClass; }

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
        if (::GetCursorPos(&point) && ::GetAncestor(::WindowFromPoint(point), GA_ROOT) == window_.Hwnd()) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        }
    }

private:
    MainWindow& window_;
};

// Match's check and run, from the press to the answer of their last box; the window ignores its
// buttons meanwhile.
class MatchingScope {
public:
    explicit MatchingScope(MainWindow& window) : window_(window) { window_.matching_ = true; }
    MatchingScope(const MatchingScope&) = delete;
    MatchingScope& operator=(const MatchingScope&) = delete;
    ~MatchingScope() { window_.matching_ = false; }

private:
    MainWindow& window_;
};

MainWindow::MainWindow() : FormWindow(kMainForm) {}

bool MainWindow::Create(HINSTANCE instance) {
    // Start on the primary monitor, so the DPI the window is laid out at is the one it shows at;
    // OnCreate then sizes and centres it.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return CreateFromTemplate(instance, kMainForm.window, POINT{monitor.rcWork.left, monitor.rcWork.top}, SIZE{0, 0});
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor()) return TRUE;
            break;
        case DM_GETDEFID:
            return MAKELRESULT(kIdCmdMatch, DC_HASDEFID);
        case kFocusMovedMessage:
            OnFocusMoved();
            return 0;
        case WM_CLOSE:
            if (!OnClose()) return 0;
            break;
        case WM_DESTROY:
            OnDestroy();
            break;  // the form takes back what it gave its controls
        default:
            break;
    }
    return FormWindow::HandleMessage(message, wParam, lParam);
}

void MainWindow::ApplyDpi(UINT dpi) {
    FormWindow::ApplyDpi(dpi);
    SetWindowIcons();
}

bool MainWindow::OnCreate() {
    BuildForm();
    SizeToForm();
    CentreOnMonitor();
    lastFocus_ = Control(kIdTxtBrowse);
    return true;
}

void MainWindow::OnCommand(int id, int code) {
    if (code == BN_SETFOCUS || code == EN_SETFOCUS) {
        // The dialog manager restyles the buttons itself right after it moves the focus; the
        // button Enter presses is shown once it is done.
        ::PostMessageW(Hwnd(), kFocusMovedMessage, 0, 0);
        return;
    }
    // A push button with BS_NOTIFY reports a quick second click as a double click; it is a click.
    if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return;
    // Presses that were on their way while Match was checking or running (a double click, a Space
    // typed ahead) reach the window inside its message boxes. The window would not have answered
    // them without the boxes, so they do nothing: one press of Match, one run, one offer.
    if (matching_) return;
    switch (id) {
        case kIdCmdMatch:
            cmdMatch_Click();
            break;
        case kIdCmdHelp:
            cmdHelp_Click();
            break;
        case kIdCmdExit:
            cmdExit_Click();
            break;
        case kIdCmdBrowse:
            cmdBrowse_Click();
            break;
        case kIdCmdOpen:
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
        if (focus && ::IsChild(Hwnd(), focus)) lastFocus_ = focus;
        return;
    }
    if (lastFocus_ && ::IsWindow(lastFocus_)) {
        ::SetFocus(lastFocus_);
    } else if (const HWND first = ::GetNextDlgTabItem(Hwnd(), nullptr, FALSE)) {
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
    ShowDefaultButton(focus && ::IsChild(Hwnd(), focus) && IsPushButton(focus) ? focus : nullptr);
}

bool MainWindow::OnClose() const {
    // The close box and Alt+F4 reach the window inside the run's message boxes, as a press of
    // "Exit Program" does; acted on there, the window would go with the offer of the list before
    // the user has read its name. Like that press, they do nothing until the run has ended.
    return !matching_;
}

void MainWindow::OnDestroy() { ::PostQuitMessage(0); }

void MainWindow::cmdMatch_Click() {
    const MatchingScope matching(*this);
    const InputCheck check = CheckMatchInputs(PathInBox(kIdTxtBrowse), PathInBox(kIdTxtOpen));
    if (check != InputCheck::Passed) {
        ShowInvalidInput(check);
        return;
    }
    const WaitCursorScope hourglass(*this);
    RunMatchFromBoxes();
}

void MainWindow::cmdHelp_Click() { OpenWithShell(Hwnd(), JoinPath(ProgramFolder(), kHelpFileName)); }

void MainWindow::cmdExit_Click() { Destroy(); }

void MainWindow::cmdBrowse_Click() {
    const std::wstring folder = shell::BrowseFolder(Hwnd(), kFolderPrompt, PathInBox(kIdTxtBrowse));
    if (!folder.empty()) ::SetWindowTextW(Control(kIdTxtBrowse), folder.c_str());
}

void MainWindow::cmdOpen_Click() {
    const std::wstring playlist = shell::PickPlaylistFile(Hwnd());
    // The picker cuts its answer at the first NUL itself; the form's scratch box for that cut is
    // left empty after every call, chosen or cancelled.
    ::SetWindowTextW(Control(kIdTxtOpen1), L"");
    if (!playlist.empty()) ::SetWindowTextW(Control(kIdTxtOpen), playlist.c_str());
}

void MainWindow::RunMatchFromBoxes() {
    const std::wstring reportFolder = ProgramFolder();
    if (reportFolder.empty()) {
        ShowFailure(L"The unmatch list could not be written: the folder of Match.exe could not be found.");
        return;
    }
    MatchRequest request;
    request.lyricsFolder = PathInBox(kIdTxtBrowse);
    request.playlistPath = PathInBox(kIdTxtOpen);
    request.reportFolder = reportFolder;
    const Result<MatchSummary> summary = RunMatch(request);
    if (!summary) {
        ShowFailure(summary.failure().message);
        return;
    }
    OfferUnmatchList(Hwnd(), summary->reportPath);
}

std::wstring MainWindow::PathInBox(int id) const { return std::wstring(UnquotedPath(ControlText(id))); }

void MainWindow::ShowInvalidInput(InputCheck check) {
    const std::wstring message(InputCheckMessage(check));
    const std::wstring caption(kInputCheckCaption);
    ::MessageBoxW(Hwnd(), message.c_str(), caption.c_str(), MB_ICONERROR | MB_OK);
    FocusAndSelectAll(Control(check == InputCheck::InvalidLyricsFolder ? kIdTxtBrowse : kIdTxtOpen));
}

void MainWindow::ShowFailure(const std::wstring& message) {
    ::MessageBoxW(Hwnd(), message.c_str(), kMainForm.window.programName, MB_ICONERROR | MB_OK);
}

void MainWindow::SetWindowIcons() {
    const HINSTANCE instance = Instance();
    const auto load = [&](int width, int height) {
        return UniqueHicon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_MATCH), IMAGE_ICON, width, height, 0)));
    };
    UniqueHicon big = load(SystemMetricForDpi(SM_CXICON, Dpi()), SystemMetricForDpi(SM_CYICON, Dpi()));
    UniqueHicon small = load(SystemMetricForDpi(SM_CXSMICON, Dpi()), SystemMetricForDpi(SM_CYSMICON, Dpi()));
    ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void MainWindow::ShowDefaultButton(HWND focusedButton) {
    const HWND defaultButton = focusedButton ? focusedButton : Control(kIdCmdMatch);
    for (const ControlTemplate& control : kFormControls) {
        if (!IsOfClass(control, L"BUTTON")) continue;
        const HWND button = Control(control.id);
        const LONG_PTR style = ::GetWindowLongPtrW(button, GWL_STYLE);
        const LONG_PTR wanted = button == defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((style & BS_TYPEMASK) != wanted) ::SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
    }
}

}  // namespace lyrics::match::win32
