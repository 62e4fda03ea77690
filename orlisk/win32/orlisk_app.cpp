#include "orlisk/win32/orlisk_app.h"

#include "shell/folder_browse.h"

namespace lyrics::orlisk::win32 {

OrliskApp::OrliskApp(const SingleInstance& singleInstance)
    : window_(*this),
      desktop_([this](MSG& msg) { return window_.PreTranslate(msg); }),
      host_(singleInstance),
      logic_(OrliskPorts{desktop_, shell_, store_, window_, window_, files_, host_, trayMenu_, winamp_, media_}) {}

bool OrliskApp::Start(HINSTANCE instance) {
    if (!window_.Create(instance)) return false;
    Dispatch(&OrliskLogic::Form_Load);
    return window_.Hwnd() != nullptr;
}

int OrliskApp::Run() {
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window_.PreTranslate(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

template <typename Result, typename... Params, typename... Args>
void OrliskApp::Dispatch(Result (OrliskLogic::*handler)(Params...), Args... args) {
    // What the handler answers is also in EndRequested(), which stays set: a handler run inside a
    // walk leaves the closing to the outer one, which looks again when the walk has returned.
    (void)(logic_.*handler)(args...);
    // The logic's walk must not find its window gone under it: the outermost handler closes.
    if (logic_.EndRequested() && !logic_.WalkInProgress()) window_.Close();
}

void OrliskApp::cmdBrowse_Click() {
    // Asks nothing of the logic. An "Exit" chosen from the tray while the picker is open is
    // dispatched, and closes the window, on its own.
    const std::wstring folder = shell::BrowseFolder(window_.Hwnd(), L"Lyrics folder...");
    // Taken as the shell gives it: "OK" adds the backslash when it saves.
    if (!folder.empty()) window_.SetPathText(folder);
}

void OrliskApp::cmdOK_Click() { Dispatch(&OrliskLogic::cmdOK_Click); }

void OrliskApp::cmdExit_Click() { Dispatch(&OrliskLogic::cmdExit_Click); }

void OrliskApp::cmdHelp_Click() { Dispatch(&OrliskLogic::cmdHelp_Click); }

void OrliskApp::chkStartup_Click() { Dispatch(&OrliskLogic::chkStartup_Click); }

void OrliskApp::chkAuto_Click() { Dispatch(&OrliskLogic::chkAuto_Click); }

void OrliskApp::tmrAuto_Timer() { Dispatch(&OrliskLogic::tmrAuto_Timer); }

void OrliskApp::cSysTray_MouseUp(int buttonCode, POINT anchor) {
    // The menu, if the logic asks for it, shows where this click was made.
    trayMenu_.PlaceAt(window_.Hwnd(), anchor);
    Dispatch(&OrliskLogic::cSysTray_MouseEvent, buttonCode);
}

}  // namespace lyrics::orlisk::win32
