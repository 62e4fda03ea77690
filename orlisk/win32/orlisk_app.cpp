#include "orlisk/win32/orlisk_app.h"

#include "shell/folder_browse.h"

namespace lyrics::orlisk::win32 {

OrliskApp::OrliskApp(const SingleInstance& singleInstance)
    : window_(*this),
      desktop_([this](MSG& msg) { return window_.PreTranslate(msg); }),
      host_(singleInstance),
      logic_(OrliskPorts{desktop_, shell_, store_, window_, window_, files_, host_}) {}

bool OrliskApp::Start(HINSTANCE instance) {
    if (!window_.Create(instance)) return false;
    Follow(logic_.Form_Load());
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

void OrliskApp::Follow(ProgramNext next) {
    if (next == ProgramNext::End) endRequested_ = true;
    EndIfRequested();
}

void OrliskApp::EndIfRequested() {
    // The logic's walk must not find its window gone under it: the outermost handler closes.
    if (endRequested_ && !logic_.WalkInProgress()) window_.Close();
}

void OrliskApp::cmdBrowse_Click() {
    const std::wstring folder = shell::BrowseFolder(window_.Hwnd(), L"Lyrics folder...");
    // Taken as the shell gives it: "OK" adds the backslash when it saves.
    if (!folder.empty()) window_.SetPathText(folder);
    EndIfRequested();
}

void OrliskApp::cmdOK_Click() {
    logic_.cmdOK_Click();
    EndIfRequested();
}

void OrliskApp::cmdExit_Click() { Follow(logic_.cmdExit_Click()); }

void OrliskApp::cmdHelp_Click() {
    logic_.cmdHelp_Click();
    EndIfRequested();
}

void OrliskApp::chkStartup_Click() {
    logic_.chkStartup_Click();
    EndIfRequested();
}

void OrliskApp::chkAuto_Click() {
    logic_.chkAuto_Click();
    EndIfRequested();
}

void OrliskApp::tmrAuto_Timer() {
    logic_.tmrAuto_Timer();
    EndIfRequested();
}

void OrliskApp::cSysTray_MouseUp(int buttonCode, POINT anchor) {
    if (logic_.cSysTray_MouseEvent(buttonCode) == TrayResponse::ShowMenu) {
        Follow(logic_.RunMenuCommand(window_.PopupTrayMenu(anchor)));
        return;
    }
    EndIfRequested();
}

}  // namespace lyrics::orlisk::win32
