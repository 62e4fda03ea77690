#include "orlisk/win32/orlisk_app.h"

#include "common/quoted_path.h"

#include "common/win32/program_loop.h"
#include "shell/folder_browse.h"

namespace lyrics::orlisk::win32 {

OrliskApp::OrliskApp(const SingleInstance& singleInstance)
    : window_([this](const SettingsWindowEvent& event) { OnEvent(event); }),
      desktop_([this](MSG& msg) { return window_.PreTranslate(msg); }),
      shell_([this] {
          desktop_.PumpMessages();
          return !logic_.EndRequested();
      }),
      host_(singleInstance),
      logic_(OrliskPorts{desktop_, shell_, store_, window_, window_, files_, host_, trayMenu_, winamp_, media_}) {}

bool OrliskApp::Start(HINSTANCE instance) {
    if (!window_.Create(instance)) return false;
    logic_.Form_Load();
    CloseIfEnded();
    return window_.Hwnd() != nullptr;
}

int OrliskApp::Run() { return RunMessageLoop(window_.Hwnd()); }

void OrliskApp::OnEvent(const SettingsWindowEvent& event) {
    // What a handler answers is also in EndRequested(), which stays set: a handler run inside a
    // walk leaves the closing to the outer one, which looks again when the walk has returned.
    switch (event.event) {
        case SettingsEvent::cmdBrowse_Click:
            return cmdBrowse_Click();
        case SettingsEvent::cmdOK_Click:
            logic_.cmdOK_Click();
            break;
        case SettingsEvent::cmdExit_Click:
            logic_.cmdExit_Click();
            break;
        case SettingsEvent::cmdHelp_Click:
            logic_.cmdHelp_Click();
            break;
        case SettingsEvent::chkStartup_Click:
            logic_.chkStartup_Click();
            break;
        case SettingsEvent::chkAuto_Click:
            logic_.chkAuto_Click();
            break;
        case SettingsEvent::tmrAuto_Timer:
            logic_.tmrAuto_Timer();
            break;
        case SettingsEvent::cSysTray_MouseEvent:
            // The menu, if the logic asks for it, shows where this click was made.
            trayMenu_.PlaceAt(window_.Hwnd(), event.tray.anchor);
            logic_.cSysTray_MouseEvent(event.tray.buttonCode);
            break;
    }
    CloseIfEnded();
}

void OrliskApp::CloseIfEnded() {
    // The logic's walk must not find its window gone under it: the outermost handler closes.
    if (logic_.EndRequested() && !logic_.WalkInProgress()) window_.Close();
}

void OrliskApp::cmdBrowse_Click() {
    // An "Exit" chosen from the tray while the picker is open is handled, and closes the window,
    // on its own.
    const std::wstring folder =
        shell::BrowseFolder(window_.Hwnd(), L"Lyrics folder...", std::wstring(UnquotedPath(window_.PathText())));
    // Taken as the shell gives it: "OK" adds the backslash when it saves.
    if (!folder.empty()) window_.SetPathText(folder);
}

}  // namespace lyrics::orlisk::win32
