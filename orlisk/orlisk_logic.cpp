#include "orlisk/orlisk_logic.h"

#include "common/quoted_path.h"

#include "orlisk/lyrics_files.h"
#include "orlisk/settings_values.h"
#include "orlisk/song_change.h"
#include "orlisk/window_closer.h"

namespace lyrics::orlisk {

std::wstring FolderSearchPattern(std::wstring_view folder) {
    std::wstring pattern(folder);
    if (!pattern.empty() && pattern.back() == L'\\') pattern += L'*';
    return pattern;
}

namespace {

constexpr std::wstring_view kCouldNotSave = L"Could not save the settings";

// The help file beside the program: folder + "\OrliskHelp.html", or, for a folder ending in "\"
// (a drive's root), folder + "Orlisk Help.txt".
std::wstring HelpFilePath(std::wstring_view programFolder) {
    std::wstring path(programFolder);
    path += !path.empty() && path.back() == L'\\' ? L"Orlisk Help.txt" : L"\\OrliskHelp.html";
    return path;
}

// Notepad's window class, for telling its windows from others of the same caption.
constexpr std::wstring_view kNotepadClass = L"Notepad";

// Sets a flag for the life of the scope: a window walk running, the start-up opening lyrics.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

OrliskLogic::OrliskLogic(OrliskPorts ports) : ports_(ports) {}

ProgramNext OrliskLogic::Form_Load() {
    if (ports_.host.AnotherInstanceRunning()) return End();
    lastTitle_.reset();
    lastEntry_.reset();
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
    followsPlayers_ = FollowsMediaPlayers(ports_.store.Read(kValuePlayers, kDefaultPlayers));
    if (followsPlayers_) ports_.media.Follow();

    const std::wstring folder = WithTrailingBackslash(controls.PathText());
    if (folder != controls.PathText()) controls.SetPathText(folder);
    if (folder.empty() || !ports_.files.FindsEntry(FolderSearchPattern(folder))) controls.Show();

    if (controls.StartupState() == CheckState::Checked) {
        // A Notepad of the song may still be open from an Orlisk that ran before: shown, not doubled.
        const FlagScope startUp(startingUp_);
        OpenLyrics();
    }
    return ProgramNext::KeepRunning;
}

std::wstring OrliskLogic::FolderInBox() const {
    const std::wstring typed = ports_.controls.PathText();
    const std::wstring_view folder = UnquotedPath(typed);
    // OK gives a folder its "\" in the box; a quoted one, left as typed, gets it here.
    return folder.size() == typed.size() ? typed : WithTrailingBackslash(folder);
}

void OrliskLogic::OpenLyrics() {
    if (walkInProgress_) return;
    if (const std::optional<FoundSong> found = WalkForSong()) {
        OpenFoundSong(*found);
        return;
    }
    if (endRequested_) return;
    if (const std::optional<PlayerSong> song = MediaSong()) OpenMediaSong(*song);
}

std::optional<PlayerSong> OrliskLogic::MediaSong() {
    if (!followsPlayers_) return std::nullopt;
    std::optional<PlayerSong> song = ports_.media.CurrentSong();
    if (song && !NamesASong(*song)) return std::nullopt;
    return song;
}

std::optional<FoundSong> OrliskLogic::WalkForSong() {
    FlagScope walk(walkInProgress_);
    return FindWinampSong(ports_.desktop, asker_, ports_.controls.Handle(), ports_.controls.Caption(), ports_.tip,
                          [this] { return endRequested_; });
}

void OrliskLogic::OpenFoundSong(const FoundSong& found) {
    RememberWinampSong(found);
    OpenNamedLyrics(found.title, LyricsPath(FolderInBox(), found.title));
}

void OrliskLogic::RememberWinampSong(const FoundSong& found) {
    winampWindow_ = found.window;
    lastEntry_ = found.entry;
    mediaSongs_ = {};
}

void OrliskLogic::OpenMediaSong(const PlayerSong& song) {
    lastEntry_.reset();
    (void)mediaSongs_.Changed(song);
    // "*" and "?" name no file: as a search pattern they would find some other one.
    const auto exists = [this](const std::wstring& path) {
        return path.find_first_of(L"*?") == std::wstring::npos && ports_.files.FindsEntry(path);
    };
    const PlayerLyrics lyrics = ChoosePlayerLyrics(FolderInBox(), song, exists);
    OpenNamedLyrics(lyrics.name, lyrics.path);
}

void OrliskLogic::OpenNamedLyrics(const std::wstring& name, const std::optional<std::wstring>& path) {
    const std::optional<std::wstring> previousTitle = lastTitle_;
    // Kept for a failed open too, so the tick does not retry a song without lyrics every time.
    lastTitle_ = name;
    // A copy read from disk beside a Notepad that holds unsaved edits would invite the user to
    // save the older text over them.
    if (ShowRemainingLyrics(name)) return;
    if (startingUp_ && ShowOpenNotepadOf(name)) return;

    // The controls as they stand now, saved or not.
    const ShowCommand show = ShowCommandForSize(ports_.controls.SizeIndex());
    bool opened = false;
    if (path) {
        // Marked as a walk: the shell's wait for the program it started may handle messages sent
        // to the window meanwhile (Wine's does, the tray's clicks among them), and a click handled
        // there would open yet another Notepad before the first has its window.
        FlagScope wait(walkInProgress_);
        opened = ports_.shell.Open(ports_.controls.Handle(), *path, show);
    }

    std::wstring tip(opened ? kLastOpened : kCouldNotOpen);
    tip += name;
    ports_.tip.SetTip(tip);
    if (opened && previousTitle && *previousTitle != name) ShowSavePromptOf(*previousTitle);
}

void OrliskLogic::ShowSavePromptOf(const std::wstring& title) {
    // The old lyrics were asked to close and ask whether to save (their window is disabled while
    // the box shows): the question must not hide behind the new lyrics.
    const std::optional<WindowHandle> asking = closer_.RemainingWindow(NotepadCaptions(title));
    if (asking && ports_.desktop.IsDisabled(*asking)) ports_.desktop.BringToFront(*asking);
}

void OrliskLogic::CloseLyrics() {
    CloseLastLyrics(AskAgain::Yes);
    if (lastTitle_) ShowRemainingLyrics(*lastTitle_);
}

void OrliskLogic::CloseLastLyrics(AskAgain again) {
    // Before any song there is no title: " - Notepad" alone, or the empty caption, under which
    // FindWindow answers any window without one, must not close anything.
    if (!lastTitle_) return;
    FlagScope close(walkInProgress_);
    closer_.Close(NotepadCaptions(*lastTitle_), again, [this] { return endRequested_; });
}

bool OrliskLogic::ShowOpenNotepadOf(const std::wstring& title) {
    for (const std::wstring& caption : NotepadCaptions(title)) {
        const WindowHandle window = ports_.desktop.FindByCaption(caption);
        if (window == kNoWindow || !ports_.desktop.HasClass(window, kNotepadClass)) continue;
        ports_.desktop.BringToFront(window);
        ports_.tip.SetTip(std::wstring(kLastOpened) + title);
        return true;
    }
    return false;
}

bool OrliskLogic::ShowRemainingLyrics(const std::wstring& title) {
    const std::optional<WindowHandle> remaining = closer_.RemainingWindow(NotepadCaptions(title));
    if (!remaining) return false;
    ports_.desktop.BringToFront(*remaining);
    ports_.tip.SetTip(std::wstring(kLyricsStillOpen) + title);
    return true;
}

std::wstring OrliskLogic::LyricsCaption() const {
    if (!lastTitle_) return {};
    return NotepadCaptions(*lastTitle_)[0];
}

void OrliskLogic::tmrAuto_Timer() {
    if (walkInProgress_) return;
    // While the media controls' song is shown, a remembered Winamp window played nothing the
    // last walk could take: only the look by class below tells whether it plays again.
    const bool winampShown = !mediaSongs_.LastSong();
    if (winampShown && winampWindow_ != kNoWindow && ports_.desktop.Exists(winampWindow_)) {
        const CaptionRead caption = ports_.desktop.ReadCaption(winampWindow_);
        // A window that reads empty is closing, or is gone between the two calls.
        if (caption.copied != 0) {
            if (lastTitle_ && SongHasChangedIn(winampWindow_, caption)) ReopenLyrics(AskAgain::No);
            return;
        }
    }
    if (!FollowNewWinamp()) FollowMediaSession();
}

bool OrliskLogic::SongHasChangedIn(WindowHandle winamp, const CaptionRead& caption) {
    asker_.StartRound();
    const WinampAnswer answer = asker_.Ask(winamp);
    switch (answer.state) {
        case WinampState::Playing: {
            // A change of song is a change of title: the same song played from another place in
            // the playlist keeps its lyrics. The title Winamp named last is compared with the one
            // it names now, as the caption may give the title in another form. When the song was
            // taken from the caption while Winamp did not answer, the entry is followed from here
            // on if it is that same song.
            const std::wstring& last = lastEntry_ ? lastEntry_->title : *lastTitle_;
            if (answer.entry->title != last) return true;
            lastEntry_ = answer.entry;
            return false;
        }
        case WinampState::Stopped:
            // Nothing plays: the lyrics of the last song stay until another one starts.
            return false;
        case WinampState::NotAnswering:
            break;
    }
    return SongHasChanged(caption.text, *lastTitle_);
}

bool OrliskLogic::FollowNewWinamp() {
    // While no Winamp runs, the tick costs this one call.
    const WindowHandle winamp = ports_.desktop.FindByClass(kWinampClass);
    if (winamp == kNoWindow) return false;
    // A stopped Winamp has nothing to open; walking for it on every tick would only rewrite the tip.
    asker_.StartRound();
    if (asker_.Ask(winamp).state == WinampState::Stopped) return false;
    const std::optional<FoundSong> found = WalkForSong();
    if (!found) return false;
    if (lastTitle_ && found->title == *lastTitle_) {
        // Winamp came back with the song whose lyrics were opened last: they stay as they are.
        RememberWinampSong(*found);
        return true;
    }
    CloseLastLyrics(AskAgain::No);
    OpenFoundSong(*found);
    return true;
}

void OrliskLogic::FollowMediaSession() {
    if (endRequested_) return;
    const std::optional<PlayerSong> song = MediaSong();
    if (!song || !mediaSongs_.Changed(song)) return;
    CloseLastLyrics(AskAgain::No);
    OpenMediaSong(*song);
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

    const std::wstring typed = controls.PathText();
    const std::wstring folder(UnquotedPath(typed));
    const bool folderFound = !folder.empty() && ports_.files.FindsEntry(FolderSearchPattern(folder));
    if (folderFound) {
        const std::wstring withBackslash = WithTrailingBackslash(folder);
        // A quoted path stays in the box as typed.
        if (withBackslash != typed && folder == typed) controls.SetPathText(withBackslash);
        saved = store.Write(kValuePath, withBackslash) && saved;
    }
    // The tip is Orlisk's only voice; settings that did not reach the store must not pass silently.
    if (!saved) ports_.tip.SetTip(kCouldNotSave);
    if (folderFound) controls.Hide();
}

ProgramNext OrliskLogic::cmdExit_Click() {
    cmdOK_Click();
    return End();
}

void OrliskLogic::cmdHelp_Click() {
    // A missing help file is not reported. At a drive's root the help is looked for as "Orlisk
    // Help.txt" first; the package ships only "OrliskHelp.html", which is opened when that is missing.
    const std::wstring folder = ports_.host.ProgramFolder();
    const std::wstring help = HelpFilePath(folder);
    if (ports_.shell.Open(ports_.controls.Handle(), help, ShowCommand::Normal)) return;
    if (folder.ends_with(L'\\'))
        (void)ports_.shell.Open(ports_.controls.Handle(), folder + L"OrliskHelp.html", ShowCommand::Normal);
}

ProgramNext OrliskLogic::cSysTray_MouseEvent(int button) {
    if (button == kTrayButtonFirst) ReopenLyrics(AskAgain::Yes);
    if (button == kTrayButtonSecond) return RunMenuCommand(ports_.menu.Choose());
    return ProgramNext::KeepRunning;
}

void OrliskLogic::mnuOpen_Click() { ReopenLyrics(AskAgain::Yes); }

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

ProgramNext OrliskLogic::End() {
    endRequested_ = true;
    return ProgramNext::End;
}

void OrliskLogic::ReopenLyrics(AskAgain again) {
    // A walk is running below this handler: the click or tick is dropped.
    if (walkInProgress_) return;
    CloseLastLyrics(again);
    // "Exit" chosen while the close handled messages: nothing more is opened.
    if (endRequested_) return;
    OpenLyrics();
}

}  // namespace lyrics::orlisk
