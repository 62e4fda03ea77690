// In-memory stand-ins for Orlisk's ports: a desktop of fake windows in Z order, a shell that
// records what it was asked to open, a settings store in a map, the settings window's controls
// as plain fields, a tray menu that answers a chosen command, a Winamp remote that answers
// what the test says each window plays, and media controls that show the song the test sets.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/lower_case.h"
#include "orlisk/orlisk_logic.h"  // every port, and the logic over them

namespace lyrics::orlisk::testing {

struct FakeWindow {
    WindowHandle handle = kNoWindow;
    std::wstring caption;
    bool disabled = false;
    // Looks of FindByCaption after a close request before the window has gone; -1: it never goes.
    int closesAfterLooks = 0;
    int looksLeft = -2;        // -2: not asked to close
    std::wstring className{};  // empty: a class of no interest to the logic
    // Asked to close, it asks whether to save and is disabled while the box shows.
    bool asksToSave = false;
};

// What the logic posted to a window.
enum class Message { CancelMode, Close };

struct PostedMessage {
    WindowHandle window;
    Message message;
    bool operator==(const PostedMessage&) const = default;
};

class FakeDesktop final : public Desktop {
public:
    // Windows from the top of the Z order down; handles are numbered from 100.
    WindowHandle Add(std::wstring caption, bool disabled = false) {
        const WindowHandle handle = nextHandle++;
        windows.push_back({handle, std::move(caption), disabled});
        return handle;
    }
    // A window of Winamp's main-window class, below the others.
    WindowHandle AddWinamp(std::wstring caption) {
        const WindowHandle handle = Add(std::move(caption));
        windows.back().className = kWinampClass;
        return handle;
    }
    // A window of the song's lyrics that stays when asked to close, asking whether to save or not.
    WindowHandle AddStaying(std::wstring caption, bool asksToSave = false) {
        const WindowHandle handle = Add(std::move(caption));
        windows.back().closesAfterLooks = -1;
        windows.back().asksToSave = asksToSave;
        return handle;
    }
    std::vector<FakeWindow>::iterator At(WindowHandle handle) {
        return std::find_if(windows.begin(), windows.end(), [handle](const FakeWindow& w) { return w.handle == handle; });
    }
    FakeWindow* Find(WindowHandle handle) { return At(handle) == windows.end() ? nullptr : &*At(handle); }
    void Remove(WindowHandle handle) {
        std::erase_if(windows, [handle](const FakeWindow& w) { return w.handle == handle; });
    }
    std::vector<PostedMessage> PostedTo(WindowHandle handle) const {
        std::vector<PostedMessage> result;
        std::copy_if(posted.begin(), posted.end(), std::back_inserter(result),
                     [&](const PostedMessage& p) { return p.window == handle; });
        return result;
    }

    WindowHandle FirstWindow(WindowHandle) override {
        ++walksStarted;
        return windows.empty() ? kNoWindow : windows.front().handle;
    }
    WindowHandle NextWindow(WindowHandle window) override {
        const auto it = At(window);
        return it == windows.end() || it + 1 == windows.end() ? kNoWindow : (it + 1)->handle;
    }
    WindowHandle LastWindow(WindowHandle) override { return windows.empty() ? kNoWindow : windows.back().handle; }
    CaptionRead ReadCaption(WindowHandle window) override {
        log.push_back(L"read " + std::to_wstring(window));
        const FakeWindow* w = Find(window);
        return w == nullptr ? CaptionRead{} : CaptionRead{w->caption, static_cast<int>(w->caption.size())};
    }
    bool Exists(WindowHandle window) override { return Find(window) != nullptr; }
    bool IsDisabled(WindowHandle window) override { return Exists(window) && Find(window)->disabled; }
    WindowHandle FindByCaption(std::wstring_view caption) override {
        const std::wstring wanted = LowerCase(caption);
        for (FakeWindow& w : windows) {
            if (LowerCase(w.caption) != wanted) continue;
            if (w.looksLeft == 0) {
                Remove(w.handle);  // a copy of the handle: the window goes
                return FindByCaption(caption);
            }
            if (w.looksLeft > 0) --w.looksLeft;
            return w.handle;
        }
        return kNoWindow;
    }
    WindowHandle FindByClass(std::wstring_view className) override {
        ++classLookups;
        const auto it =
            std::find_if(windows.begin(), windows.end(), [&](const FakeWindow& w) { return w.className == className; });
        return it == windows.end() ? kNoWindow : it->handle;
    }
    bool HasClass(WindowHandle window, std::wstring_view className) override {
        return Exists(window) && Find(window)->className == className;
    }
    void CancelMode(WindowHandle window) override { posted.push_back({window, Message::CancelMode}); }
    void AskToClose(WindowHandle window) override {
        posted.push_back({window, Message::Close});
        FakeWindow* w = Find(window);
        if (w == nullptr) return;
        if (w->looksLeft == -2) w->looksLeft = w->closesAfterLooks;
        w->disabled = w->disabled || w->asksToSave;
    }
    void BringToFront(WindowHandle window) override { broughtToFront.push_back(window); }
    void PumpMessages() override {
        log.push_back(L"pump");
        if (onPump) onPump();
    }
    std::chrono::steady_clock::time_point Now() override { return now; }
    void Pause(std::chrono::milliseconds span) override {
        ++pauses;
        now += span;
    }

    std::vector<FakeWindow> windows;
    std::vector<PostedMessage> posted;
    std::vector<WindowHandle> broughtToFront;
    std::vector<std::wstring> log;
    std::function<void()> onPump;
    std::chrono::steady_clock::time_point now{};
    int pauses = 0;
    int walksStarted = 0;
    int classLookups = 0;  // FindByClass calls
    WindowHandle nextHandle = 100;
};

// What each window says it plays; a window not named here does not answer, at once. A hung
// window does not answer either, after the whole budget, on the clock given (the desktop's).
class FakeWinampRemote final : public WinampRemote {
public:
    WinampAnswer WhatDoYouPlay(WindowHandle window, std::chrono::milliseconds budget) override {
        asked.push_back(window);
        if (hung.contains(window)) {
            if (clock != nullptr) *clock += budget;
            return WinampAnswer::NotAnswering();
        }
        const auto it = answers.find(window);
        return it == answers.end() ? WinampAnswer::NotAnswering() : it->second;
    }
    void Plays(WindowHandle window, int index, std::wstring title) {
        answers[window] = WinampAnswer::Playing(index, std::move(title));
    }
    void Stops(WindowHandle window) { answers[window] = WinampAnswer::Stopped(); }
    void FallsSilent(WindowHandle window) { answers.erase(window); }

    std::map<WindowHandle, WinampAnswer> answers;
    std::set<WindowHandle> hung;
    std::chrono::steady_clock::time_point* clock = nullptr;
    std::vector<WindowHandle> asked;
};

// The media controls' snapshot as the test sets it.
class FakeMediaSession final : public MediaSession {
public:
    void Follow() override { ++follows; }
    std::optional<PlayerSong> CurrentSong() override {
        ++reads;
        return song;
    }
    void Plays(std::wstring artist, std::wstring title) { song = PlayerSong{L"Player.exe", std::move(artist), std::move(title)}; }

    std::optional<PlayerSong> song;
    int follows = 0;
    int reads = 0;
};

struct OpenedDocument {
    WindowHandle owner;
    std::wstring document;
    ShowCommand showCommand;
    bool operator==(const OpenedDocument&) const = default;
};

class FakeShell final : public Shell {
public:
    bool Open(WindowHandle owner, std::wstring_view document, ShowCommand show) override {
        opened.push_back({owner, std::wstring(document), show});
        if (onOpen) onOpen();
        return opens;
    }
    std::vector<OpenedDocument> opened;
    bool opens = true;  // false: the shell could not open the document
    // Runs inside Open, as handlers run when the real shell's wait handles messages sent meanwhile.
    std::function<void()> onOpen;
};

class MemoryStore final : public SettingsStore {
public:
    std::wstring Read(std::wstring_view name, std::wstring_view fallback) override {
        ++reads;
        const auto it = values.find(std::wstring(name));
        return it == values.end() ? std::wstring(fallback) : it->second;
    }
    bool Write(std::wstring_view name, std::wstring_view text) override {
        writes.emplace_back(name);
        if (failWrites) return false;
        values[std::wstring(name)] = std::wstring(text);
        return true;
    }
    std::map<std::wstring, std::wstring> values;
    std::vector<std::wstring> writes;  // value names in the order written
    int reads = 0;
    bool failWrites = false;
};

class FakeTip final : public TrayTip {
public:
    void SetTip(std::wstring_view text) override { tips.emplace_back(text); }
    std::wstring Current() const { return tips.empty() ? std::wstring(kFirstTip) : tips.back(); }
    std::vector<std::wstring> tips;
};

// The settings window as created: hidden, txtPath empty, Normal, chkStartup checked.
class FakeControls final : public SettingsControls {
public:
    WindowHandle Handle() const override { return handle; }
    std::wstring Caption() const override { return caption; }
    std::wstring PathText() const override { return txtPath; }
    void SetPathText(std::wstring_view text) override { txtPath = text; }
    int SizeIndex() const override { return optSize; }
    void SetSizeIndex(int index) override { optSize = index; }
    CheckState StartupState() const override { return chkStartup; }
    void SetStartupState(CheckState state) override { chkStartup = state; }
    CheckState AutoState() const override { return chkAuto; }
    void SetAutoState(CheckState state) override { chkAuto = state; }
    bool IsShown() const override { return shown; }
    void Show() override { shown = true; }
    void Hide() override { shown = false; }
    bool TimerRunning() const override { return tmrAuto; }
    void SetTimerRunning(bool running) override { tmrAuto = running; }
    // The choices a start-up reads from the stored values: optSize, chkStartup, chkAuto, tmrAuto.
    std::tuple<int, CheckState, CheckState, bool> Choices() const { return {optSize, chkStartup, chkAuto, tmrAuto}; }

    WindowHandle handle = 7;
    std::wstring caption{kSettingsCaption};
    std::wstring txtPath;
    int optSize = kSizeNormal;
    CheckState chkStartup = CheckState::Checked;
    CheckState chkAuto = CheckState::Unchecked;
    bool shown = false;
    bool tmrAuto = false;
};

// Entries of a Windows file system: folders and files by full path. "folder\*" finds any folder
// (FindFirstFileW answers "." for it); other patterns match whole paths, "*" and "?" as wildcards.
class FakeFileSearch final : public FileSearch {
public:
    bool FindsEntry(std::wstring_view pattern) override {
        searched.emplace_back(pattern);
        if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == L"\\*") {
            return folders.contains(LowerCase(pattern.substr(0, pattern.size() - 2)));
        }
        const std::wstring lowered = LowerCase(pattern);
        const auto matches = [&](const std::wstring& entry) { return Wildcard(lowered, entry); };
        return std::any_of(folders.begin(), folders.end(), matches) || std::any_of(files.begin(), files.end(), matches);
    }
    void AddFolder(std::wstring_view path) { folders.insert(LowerCase(path)); }
    void AddFile(std::wstring_view path) { files.insert(LowerCase(path)); }
    std::set<std::wstring> folders, files;
    std::vector<std::wstring> searched;

private:
    static bool Wildcard(std::wstring_view pattern, std::wstring_view text) {
        if (pattern.empty()) return text.empty();
        if (pattern.front() == L'*') {
            for (std::size_t skip = 0; skip <= text.size(); ++skip) {
                if (Wildcard(pattern.substr(1), text.substr(skip))) return true;
            }
            return false;
        }
        if (text.empty()) return false;
        if (pattern.front() != L'?' && pattern.front() != text.front()) return false;
        return Wildcard(pattern.substr(1), text.substr(1));
    }
};

class FakeHost final : public ProgramHost {
public:
    bool AnotherInstanceRunning() override { return anotherInstance; }
    std::wstring ProgramFolder() override { return programFolder; }
    bool anotherInstance = false;
    std::wstring programFolder = L"C:\\Program Files\\Orlisk";
};

class FakeTrayMenu final : public TrayMenu {
public:
    MenuCommand Choose() override {
        ++shown;
        return choice;
    }
    MenuCommand choice = MenuCommand::None;  // what the user picks; None: clicked elsewhere
    int shown = 0;
};

// The whole program over fakes.
struct FakeOrlisk {
    FakeOrlisk() { remote.clock = &desktop.now; }
    // The documents handed to the shell, in order.
    std::vector<std::wstring> Opened() const {
        std::vector<std::wstring> documents;
        for (const OpenedDocument& opened : shell.opened) documents.push_back(opened.document);
        return documents;
    }
    FakeDesktop desktop;
    FakeShell shell;
    MemoryStore store;
    FakeTip tip;
    FakeControls controls;
    FakeFileSearch files;
    FakeHost host;
    FakeTrayMenu menu;
    FakeWinampRemote remote;
    FakeMediaSession media;
    OrliskLogic logic{OrliskPorts{desktop, shell, store, tip, controls, files, host, menu, remote, media}};
};

}  // namespace lyrics::orlisk::testing
