// A stand-in for Winamp in the end-to-end tests, in one of two forms.
//
//   fake_winamp CAPTION
//     One top-level window of a class of its own whose caption is CAPTION
//     ("12. Artist - Song - Winamp"). A test changes the song by sending the window WM_SETTEXT.
//
//   fake_winamp --winamp [--scroll] [--silent] [--stopped] [--foobar] TITLE...
//     Winamp's main window as other programs see it: class "Winamp v1.x", a playlist of the
//     TITLEs playing the first, the caption "1. TITLE - Winamp" (" [Stopped]" or " [Paused]"
//     after it). It answers WM_USER with IPC_GETVERSION, IPC_ISPLAYING, IPC_GETLISTPOS and
//     IPC_GETPLAYLISTTITLEW (a pointer to the title in its own memory), and IPC_SETPLAYLISTPOS.
//     --scroll: the caption, with " *** " after it, scrolls one character every 150 ms, as
//     Winamp's "scroll song title in the taskbar" does. --silent: no WM_USER is answered (a
//     player that only imitates Winamp's window). --stopped: starts stopped. --foobar: answers
//     as foobar2000's Winamp component does, only part of Winamp's messages: IPC_GETLISTPOS is
//     always 0 and IPC_GETPLAYLISTTITLEW gets no title (0), while the caption shows the entry.
//     The buttons are WM_COMMAND as Winamp's: 40044 previous, 40045 play, 40046 pause,
//     40047 stop, 40048 next.
//
// WM_CLOSE ends either form, so a test can close the stand-in and start another.
//
// Modes for hostile desktops (a test ends these by terminating the process):
//   fake_winamp --ignore-close CAPTION        a window captioned CAPTION that ignores WM_CLOSE
//   fake_winamp --stream MS CAPTION           the same, and another one like it every MS ms
//   fake_winamp --hung N                      N windows of class "Winamp v1.x" captioned
//                                             "Winamp 5.66", which take a second over every
//                                             question (busy, never hung in the system's eyes)
//   fake_winamp --editor MS FILE              an editor slow to start: after MS ms, a window
//                                             captioned with FILE's name and " - Notepad"
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "orlisk/win32/winamp_ipc.h"

namespace {

using namespace lyrics::orlisk::win32;

constexpr wchar_t kTestClass[] = L"LyricsTestWinamp";
constexpr wchar_t kWinampClass[] = L"Winamp v1.x";

constexpr LRESULT kVersion = 0x5066;  // 5.66

constexpr WORD kPrevious = 40044;
constexpr WORD kPlay = 40045;
constexpr WORD kPause = 40046;
constexpr WORD kStop = 40047;
constexpr WORD kNext = 40048;

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollMs = 150;
constexpr UINT_PTR kStreamTimer = 2;
constexpr DWORD kHungAnswerMs = 1000;

enum class Playback : LRESULT { Stopped = 0, Playing = 1, Paused = 3 };

enum class Mode { Player, IgnoreClose, Stream, Hung, Editor };

struct Player {
    Mode mode = Mode::Player;
    int number = 0;  // --stream's period in ms, --hung's count of windows, --editor's delay in ms
    bool winamp = false;
    bool scroll = false;
    bool silent = false;
    bool foobar = false;
    std::wstring caption;  // the first form's
    std::vector<std::wstring> titles;
    int position = 0;
    Playback playback = Playback::Playing;
    std::size_t scrolled = 0;  // characters scrolled off the front
};

Player player;

std::wstring FullCaption() {
    if (!player.winamp) return player.caption;
    if (player.titles.empty()) return L"Winamp 5.66";
    std::wstring caption = std::to_wstring(player.position + 1) + L". " + player.titles[player.position] + L" - Winamp";
    if (player.playback == Playback::Stopped) caption += L" [Stopped]";
    if (player.playback == Playback::Paused) caption += L" [Paused]";
    return caption;
}

void ShowCaption(HWND window) {
    std::wstring caption = FullCaption();
    if (player.scroll) {
        caption += L" *** ";
        const std::size_t shift = player.scrolled % caption.size();
        caption = caption.substr(shift) + caption.substr(0, shift);
    }
    ::SetWindowTextW(window, caption.c_str());
}

LRESULT Answer(WPARAM data, LPARAM id) {
    switch (id) {
        case kIpcGetVersion:
            return kVersion;
        case kIpcIsPlaying:
            return static_cast<LRESULT>(player.playback);
        case kIpcGetListPos:
            return player.foobar ? 0 : player.position;
        case kIpcGetPlaylistTitleW:
            if (player.foobar) return 0;
            // Winamp hands out a pointer into its own playlist; the asker reads it from there.
            if (data >= player.titles.size()) return 0;
            return reinterpret_cast<LRESULT>(player.titles[data].c_str());
        default:
            return 1;  // what Winamp answers to a question it does not know
    }
}

void Command(HWND window, WORD command) {
    const int count = static_cast<int>(player.titles.size());
    if (count == 0) return;
    if (command == kNext || command == kPrevious) {
        player.position = (player.position + (command == kNext ? 1 : count - 1)) % count;
        if (player.playback == Playback::Stopped) player.playback = Playback::Playing;
    }
    if (command == kPlay) player.playback = Playback::Playing;
    if (command == kStop) player.playback = Playback::Stopped;
    if (command == kPause && player.playback != Playback::Stopped) {
        player.playback = player.playback == Playback::Paused ? Playback::Playing : Playback::Paused;
    }
    player.scrolled = 0;
    ShowCaption(window);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_USER:
            // Busy with every question for longer than anyone waits, though never hung in the
            // system's eyes: it takes its messages all the time.
            if (player.mode == Mode::Hung) {
                ::Sleep(kHungAnswerMs);
                return 0;
            }
            if (!player.winamp || player.silent) break;
            if (lParam == kIpcSetPlaylistPos) {
                if (wParam < player.titles.size()) player.position = static_cast<int>(wParam);
                ShowCaption(hwnd);
                return 0;
            }
            return Answer(wParam, lParam);
        case WM_COMMAND:
            if (!player.winamp) break;
            Command(hwnd, LOWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kStreamTimer) {
                const HWND another = ::CreateWindowExW(0, kTestClass, player.caption.c_str(), WS_OVERLAPPEDWINDOW, 60, 60, 200,
                                                       80, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
                ::ShowWindow(another, SW_SHOWNOACTIVATE);
                return 0;
            }
            if (wParam != kScrollTimer) break;
            ++player.scrolled;
            ShowCaption(hwnd);
            return 0;
        case WM_CLOSE:
            if (player.mode == Mode::IgnoreClose || player.mode == Mode::Stream) return 0;
            break;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void ReadArguments() {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv) return;
    // The modes, those but --ignore-close followed by their number, and the switches.
    const std::pair<std::wstring_view, Mode> modes[] = {{L"--ignore-close", Mode::IgnoreClose},
                                                        {L"--stream", Mode::Stream},
                                                        {L"--hung", Mode::Hung},
                                                        {L"--editor", Mode::Editor}};
    const std::pair<std::wstring_view, bool Player::*> switches[] = {{L"--winamp", &Player::winamp},
                                                                     {L"--scroll", &Player::scroll},
                                                                     {L"--silent", &Player::silent},
                                                                     {L"--foobar", &Player::foobar}};
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        const auto mode = std::find_if(std::begin(modes), std::end(modes), [&](const auto& m) { return m.first == argument; });
        const auto flag =
            std::find_if(std::begin(switches), std::end(switches), [&](const auto& s) { return s.first == argument; });
        if (mode != std::end(modes)) {
            player.mode = mode->second;
            if (player.mode != Mode::IgnoreClose && i + 1 < argc) player.number = std::stoi(argv[++i]);
        } else if (flag != std::end(switches)) {
            player.*(flag->second) = true;
        } else if (argument == L"--stopped") {
            player.playback = Playback::Stopped;
        } else if (player.winamp) {
            player.titles.emplace_back(argument);
        } else {
            player.caption = argument;
        }
    }
    if (player.mode == Mode::Editor)
        player.caption = player.caption.substr(player.caption.find_last_of(L"\\/") + 1) + L" - Notepad";
    if (player.mode == Mode::Hung) player.winamp = true;
    if (!player.winamp && player.caption.empty()) player.caption = L"Winamp";
    // Whoever looks first finds the title already scrolled: "tist - Song - Winamp *** 1. Ar".
    if (player.scroll) player.scrolled = 5;
    ::LocalFree(argv);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ReadArguments();
    const wchar_t* className = player.winamp ? kWinampClass : kTestClass;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    if (!::RegisterClassExW(&windowClass)) return 1;

    const auto create = [&] {
        return ::CreateWindowExW(0, className, FullCaption().c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 275, 116, nullptr, nullptr,
                                 instance, nullptr);
    };
    if (player.mode == Mode::Editor) {
        // Ready for input at once (a thread timer in its loop), its window only after the delay.
        ::SetTimer(nullptr, 0, static_cast<UINT>(player.number), nullptr);
    } else {
        const HWND window = create();
        if (!window) return 1;
        for (int more = 1; player.mode == Mode::Hung && more < player.number; ++more) ::ShowWindow(create(), SW_SHOWNOACTIVATE);
        if (player.mode == Mode::Stream) ::SetTimer(window, kStreamTimer, static_cast<UINT>(player.number), nullptr);
        ShowCaption(window);
        if (player.scroll) ::SetTimer(window, kScrollTimer, kScrollMs, nullptr);
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) {  // the editor's delay is over
            ::KillTimer(nullptr, msg.wParam);
            ::ShowWindow(create(), SW_SHOWNORMAL);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
