#include "orlisk_logic.h"

#include <optional>

#include "common/lower_case.h"
#include "lyrics_files.h"
#include "settings_values.h"
#include "song_change.h"
#include "song_finder.h"
#include "window_closer.h"

namespace lyrics::orlisk {

namespace {

constexpr std::wstring_view kCouldNotSave = L"Could not save the settings";

// Marks a window walk as running for the life of the scope.
class WalkScope {
public:
    explicit WalkScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~WalkScope() { flag_ = false; }
    WalkScope(const WalkScope&) = delete;
    WalkScope& operator=(const WalkScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

OrliskLogic::OrliskLogic(OrliskPorts ports) : ports_(ports) {}

ProgramNext OrliskLogic::Form_Load() {
    if (ports_.host.AnotherInstanceRunning()) return ProgramNext::End;
    lyricsCaption.clear();
    SettingsControls& controls = ports_.controls;
    controls.SetPathText(ports_.store.Read(kValuePath, kDefaultPath));
    const std::wstring sizeText = ports_.store.Read(kValueSize, kDefaultSize);

    // From here on a stored value that does not fit leaves its control as it is.
    if (const std::optional<int> size = SizeIndexFromText(sizeText)) controls.SetSizeIndex(*size);
    if (const std::optional<CheckState> start = CheckStateFromText(ports_.store.Read(kValueStart, kDefaultStart))) {
        SetStartup(*start);
    }
    if (const std::optional<CheckState> automatic = CheckStateFromText(ports_.store.Read(kValueAuto, kDefaultAuto))) {
        SetAuto(*automatic);
    }

    const std::wstring folder = WithTrailingBackslash(controls.PathText());
    if (folder != controls.PathText()) controls.SetPathText(folder);
    if (folder.empty() || !ports_.files.FindsEntry(FolderSearchPattern(folder))) controls.Show();

    if (controls.StartupState() == CheckState::Checked) OpenLyrics();
    return ProgramNext::KeepRunning;
}

void OrliskLogic::OpenLyrics() {
    if (walkInProgress_) return;
    std::optional<FoundSong> found;
    {
        WalkScope walk(walkInProgress_);
        found = FindWinampSong(ports_.desktop, ports_.controls.Handle(), ports_.controls.Caption(), ports_.tip,
                               [this] { return endRequested_; });
    }
    if (!found) return;
    winampWindow = found->window;

    // The controls as they stand now, saved or not.
    const std::optional<std::wstring> path = LyricsPath(ports_.controls.PathText(), found->title);
    const int showCommand = ShowCommandForSize(ports_.controls.SizeIndex());
    bool opened = false;
    if (path) opened = ShellOpened(ports_.shell.OpenDocument(ports_.controls.Handle(), *path, showCommand));

    // Set for a failed open too, so the tick does not retry a song without lyrics every time.
    lyricsCaption = LyricsCaptionFor(found->title);
    std::wstring tip(opened ? kLastOpened : kCouldNotOpen);
    tip += found->title;
    ports_.tip.SetTip(tip);
}

void OrliskLogic::CloseLyrics() {
    const std::wstring caption = LowerCase(lyricsCaption);
    if (caption.find(L"notepad") == std::wstring::npos) return;
    CloseWindowsCaptioned(ports_.desktop, caption);
    std::wstring txtCaption = TitleFromLyricsCaption(lyricsCaption);
    txtCaption += kTxtNotepadSuffix;
    CloseWindowsCaptioned(ports_.desktop, LowerCase(txtCaption));
}

void OrliskLogic::tmrAuto_Timer() {
    if (walkInProgress_ || winampWindow == kNoWindow) return;
    const CaptionRead caption = ports_.desktop.ReadCaption(winampWindow);
    if (SongHasChanged(caption.text, TitleFromLyricsCaption(lyricsCaption))) ReopenLyrics();
}

void OrliskLogic::chkStartup_Click() {
    if (ports_.controls.AutoState() == CheckState::Checked) SetStartup(CheckState::Checked);
}

void OrliskLogic::chkAuto_Click() {
    if (ports_.controls.AutoState() == CheckState::Checked) {
        ports_.controls.SetTimerRunning(true);
        SetStartup(CheckState::Checked);
    } else {
        ports_.controls.SetTimerRunning(false);
    }
}

void OrliskLogic::cmdOK_Click() {
    SettingsControls& controls = ports_.controls;
    SettingsStore& store = ports_.store;
    const int size = controls.SizeIndex();
    const std::wstring sizeText = std::to_wstring(size >= kSizeNormal && size <= kSizeMaximized ? size : kSizeNormal);
    bool saved = store.Write(kValueSize, sizeText);
    saved = store.Write(kValueStart, TextOfCheckState(controls.StartupState())) && saved;
    saved = store.Write(kValueAuto, TextOfCheckState(controls.AutoState())) && saved;

    const std::wstring folder = controls.PathText();
    const bool folderFound = !folder.empty() && ports_.files.FindsEntry(FolderSearchPattern(folder));
    if (folderFound) {
        const std::wstring withBackslash = WithTrailingBackslash(folder);
        if (withBackslash != folder) controls.SetPathText(withBackslash);
        saved = store.Write(kValuePath, withBackslash) && saved;
    }
    // The tip is Orlisk's only voice; settings that did not reach the store must not pass silently.
    if (!saved) ports_.tip.SetTip(kCouldNotSave);
    if (folderFound) controls.Hide();
}

ProgramNext OrliskLogic::cmdExit_Click() {
    cmdOK_Click();
    endRequested_ = true;
    return ProgramNext::End;
}

void OrliskLogic::cmdHelp_Click() {
    // A missing help file is not reported.
    (void)ports_.shell.OpenDocument(ports_.controls.Handle(), HelpFilePath(ports_.host.ProgramFolder()), kShowNormal);
}

TrayResponse OrliskLogic::cSysTray_MouseEvent(int button) {
    if (button == kTrayButtonFirst) {
        ReopenLyrics();
        return TrayResponse::Nothing;
    }
    if (button == kTrayButtonSecond) return TrayResponse::ShowMenu;
    return TrayResponse::Nothing;
}

void OrliskLogic::mnuOpen_Click() { ReopenLyrics(); }

void OrliskLogic::mnuClsWindow_Click() {
    if (walkInProgress_) return;
    CloseLyrics();
}

void OrliskLogic::mnuSettings_Click() { ports_.controls.Show(); }

ProgramNext OrliskLogic::mnuExit_Click() { return cmdExit_Click(); }

ProgramNext OrliskLogic::RunMenuCommand(MenuCommand command) {
    switch (command) {
        case MenuCommand::Exit:
            return mnuExit_Click();
        case MenuCommand::Settings:
            mnuSettings_Click();
            break;
        case MenuCommand::CloseLyrics:
            mnuClsWindow_Click();
            break;
        case MenuCommand::OpenLyrics:
            mnuOpen_Click();
            break;
        case MenuCommand::None:
            break;
    }
    return ProgramNext::KeepRunning;
}

void OrliskLogic::SetStartup(CheckState state) {
    if (ports_.controls.StartupState() == state) return;
    ports_.controls.SetStartupState(state);
    chkStartup_Click();
}

void OrliskLogic::SetAuto(CheckState state) {
    if (ports_.controls.AutoState() == state) return;
    ports_.controls.SetAutoState(state);
    chkAuto_Click();
}

void OrliskLogic::ReopenLyrics() {
    // A walk is running below this handler: the click or tick is dropped.
    if (walkInProgress_) return;
    CloseLyrics();
    OpenLyrics();
}

}  // namespace lyrics::orlisk
