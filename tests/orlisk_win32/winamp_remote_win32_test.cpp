// The Windows side of asking Winamp, under Wine: Win32WinampRemote against a window of Winamp's
// class on a thread of this program, which answers from fields the test sets and hands out
// pointers into this program's memory; and the desktop's look-up by class.
#include "orlisk/win32/winamp_remote_win32.h"
#include "orlisk/win32/desktop_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

namespace lyrics::orlisk::win32 {
namespace {

// Winamp's main window on a thread of its own, so that asking it goes through the same
// cross-thread SendMessageTimeoutW as asking another program.
class ThreadWinamp {
public:
    ThreadWinamp() {
        current_.store(this);
        thread_ = std::thread([this] { Run(); });
        while (!ready_.load()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~ThreadWinamp() {
        if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
        current_.store(nullptr);
    }
    ThreadWinamp(const ThreadWinamp&) = delete;
    ThreadWinamp& operator=(const ThreadWinamp&) = delete;

    WindowHandle Handle() const { return FromHwnd(window_); }

    std::atomic<LRESULT> version{0x5066};
    std::atomic<LRESULT> playing{1};
    std::atomic<LRESULT> position{0};
    std::atomic<const void*> title{nullptr};
    std::atomic<int> stallMs{0};

private:
    // One stand-in lives at a time, on its own thread; its window finds it here.
    static inline std::atomic<ThreadWinamp*> current_{nullptr};

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        ThreadWinamp* self = current_.load();
        if (message == WM_USER && self) return self->Answer(lParam);
        if (message == WM_DESTROY) ::PostQuitMessage(0);
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    LRESULT Answer(LPARAM id) {
        if (stallMs.load() > 0) ::Sleep(static_cast<DWORD>(stallMs.load()));
        // Winamp's own numbers: IPC_GETVERSION, IPC_ISPLAYING, IPC_GETLISTPOS, IPC_GETPLAYLISTTITLEW.
        if (id == 0) return version.load();
        if (id == 104) return playing.load();
        if (id == 125) return position.load();
        if (id == 213) return reinterpret_cast<LRESULT>(title.load());
        return 1;  // what Winamp answers to a question it does not know
    }

    void Run() {
        static const ATOM registered = [] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.lpfnWndProc = WindowProc;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"Winamp v1.x";
            return ::RegisterClassExW(&windowClass);
        }();
        if (registered) {
            window_ = ::CreateWindowExW(0, L"Winamp v1.x", L"Winamp 5.66", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), this);
        }
        ready_ = true;
        MSG msg{};
        while (window_ && ::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    }

    HWND window_ = nullptr;
    std::atomic<bool> ready_{false};
    std::thread thread_;
};

// Committed pages followed by memory that cannot be read, released with the object. Wine reads
// reserved and even released pages of a process (they stay mapped), so the pages are placed far
// from everything else first, where nothing follows them; Windows refuses reserved pages anyway.
class Pages {
public:
    explicit Pages(std::size_t readable) : readable_(readable) {
        const std::size_t bytes = PageSize() * readable;
        if constexpr (sizeof(void*) == 8) {
            for (std::uintptr_t at = std::uintptr_t{1} << 44; !base_ && at < (std::uintptr_t{1} << 46);
                 at += std::uintptr_t{1} << 42) {
                auto* pages = static_cast<unsigned char*>(
                    ::VirtualAlloc(reinterpret_cast<void*>(at), bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
                if (pages && !Readable(pages + bytes)) {
                    base_ = pages;
                } else if (pages) {
                    ::VirtualFree(pages, 0, MEM_RELEASE);
                }
            }
        }
        if (!base_) {
            base_ = static_cast<unsigned char*>(::VirtualAlloc(nullptr, bytes + PageSize(), MEM_RESERVE, PAGE_NOACCESS));
            if (base_) ::VirtualAlloc(base_, bytes, MEM_COMMIT, PAGE_READWRITE);
        }
    }
    ~Pages() {
        if (base_) ::VirtualFree(base_, 0, MEM_RELEASE);
    }
    Pages(const Pages&) = delete;
    Pages& operator=(const Pages&) = delete;

    // Whether the pages were made, with nothing readable right after them.
    bool EndAtUnreadableMemory() const { return base_ && !Readable(End()); }
    unsigned char* Base() const { return base_; }
    unsigned char* End() const { return base_ + PageSize() * readable_; }

    // Writes text and its null character so that they end where the readable memory ends;
    // returns where the text starts.
    const void* PlaceAtEnd(const std::wstring& text) const {
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        unsigned char* start = End() - bytes;
        std::memcpy(start, text.c_str(), bytes);
        return start;
    }

    static std::size_t PageSize() {
        SYSTEM_INFO system{};
        ::GetSystemInfo(&system);
        return system.dwPageSize;
    }

private:
    static bool Readable(const void* at) {
        unsigned char byte = 0;
        SIZE_T read = 0;
        return ::ReadProcessMemory(::GetCurrentProcess(), at, &byte, 1, &read) && read == 1;
    }

    std::size_t readable_;
    unsigned char* base_ = nullptr;
};

TEST(WinampRemote, TellsTheEntryPlayingOrPausedAndWhenItIsStopped) {
    ThreadWinamp winamp;
    ASSERT_NE(winamp.Handle(), kNoWindow);
    const std::wstring title = L"Mira Solano - Caf\u00e9 Noir \U0001F3B5";
    winamp.title = title.c_str();
    winamp.position = 4;
    Win32WinampRemote remote;
    EXPECT_EQ(remote.WhatDoYouPlay(winamp.Handle()).entry, (PlayingEntry{4, title}));
    winamp.playing = 3;  // paused
    EXPECT_EQ(remote.WhatDoYouPlay(winamp.Handle()).state, WinampState::Playing);
    winamp.playing = 0;
    const WinampAnswer stopped = remote.WhatDoYouPlay(winamp.Handle());
    EXPECT_EQ(stopped.state, WinampState::Stopped);
    EXPECT_EQ(stopped.entry, std::nullopt);
}

TEST(WinampRemote, AnyAnswerThatMakesNoSenseIsNoAnswer) {
    ThreadWinamp winamp;
    const std::wstring title = L"Artist - Song";
    const std::wstring empty;
    Win32WinampRemote remote;
    const auto state = [&] { return remote.WhatDoYouPlay(winamp.Handle()).state; };
    winamp.title = title.c_str();
    ASSERT_EQ(state(), WinampState::Playing);

    winamp.version = 0;  // a window that only looks like Winamp's
    EXPECT_EQ(state(), WinampState::NotAnswering);
    winamp.version = 0x5066;
    winamp.playing = 2;
    EXPECT_EQ(state(), WinampState::NotAnswering);
    winamp.playing = 1;
    winamp.position = -1;
    EXPECT_EQ(state(), WinampState::NotAnswering);
    winamp.position = 0;
    for (const void* pointer : {static_cast<const void*>(nullptr), reinterpret_cast<const void*>(1)}) {
        winamp.title = pointer;  // an error, and the answer to a question Winamp does not know
        EXPECT_EQ(state(), WinampState::NotAnswering);
    }
    winamp.title = empty.c_str();
    EXPECT_EQ(state(), WinampState::NotAnswering);
    EXPECT_EQ(remote.WhatDoYouPlay(kNoWindow).state, WinampState::NotAnswering);
}

TEST(WinampRemote, ReadsTitlesUpToTheEdgeOfReadableMemoryAndNoFurther) {
    ThreadWinamp winamp;
    Win32WinampRemote remote;
    const std::size_t page = Pages::PageSize();

    // The null character is the last thing readable.
    const Pages one(1);
    ASSERT_TRUE(one.EndAtUnreadableMemory()) << "no unreadable memory could be placed after a page";
    winamp.title = one.PlaceAtEnd(L"Artist - Song");
    EXPECT_EQ(remote.WhatDoYouPlay(winamp.Handle()).entry, (PlayingEntry{0, L"Artist - Song"}));

    // Across a page boundary, from an odd address.
    const Pages two(2);
    ASSERT_TRUE(two.EndAtUnreadableMemory());
    const std::wstring across(40, L'x');
    unsigned char* start = two.Base() + page - 41;
    std::memcpy(start, across.c_str(), (across.size() + 1) * sizeof(wchar_t));
    winamp.title = start;
    EXPECT_EQ(remote.WhatDoYouPlay(winamp.Handle()).entry, (PlayingEntry{0, across}));

    // The longest title read, and one character more, which counts as a failed read.
    const Pages many(3);
    ASSERT_TRUE(many.EndAtUnreadableMemory());
    const std::wstring longest(kMaxWinampTitle, L'a');
    winamp.title = many.PlaceAtEnd(longest);
    EXPECT_EQ(remote.WhatDoYouPlay(winamp.Handle()).entry, (PlayingEntry{0, longest}));
    winamp.title = many.PlaceAtEnd(longest + L"a");
    EXPECT_EQ(remote.WhatDoYouPlay(winamp.Handle()).state, WinampState::NotAnswering);

    // No null character before memory that cannot be read.
    std::memset(one.Base(), 'b', page);
    winamp.title = one.End() - 8;
    EXPECT_EQ(remote.WhatDoYouPlay(winamp.Handle()).state, WinampState::NotAnswering);
    winamp.title = one.End();
    EXPECT_EQ(remote.WhatDoYouPlay(winamp.Handle()).state, WinampState::NotAnswering);
}

TEST(WinampRemote, AHungWinampCostsNoMoreThanTheBudget) {
    ThreadWinamp winamp;
    const std::wstring title = L"Artist - Song";
    winamp.title = title.c_str();
    winamp.stallMs = 1500;
    Win32WinampRemote remote(std::chrono::milliseconds(200));
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(remote.WhatDoYouPlay(winamp.Handle()).state, WinampState::NotAnswering);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
    EXPECT_LT(took.count(), 1000) << "asking took " << took.count() << " ms";
    winamp.stallMs = 0;
}

TEST(WinampRemote, TheDesktopFindsWinampsWindowByItsClass) {
    ThreadWinamp winamp;
    Win32Desktop desktop({});
    EXPECT_EQ(desktop.FindByClass(kWinampClass), winamp.Handle());
    EXPECT_TRUE(desktop.HasClass(winamp.Handle(), kWinampClass));
    EXPECT_TRUE(desktop.HasClass(winamp.Handle(), L"WINAMP V1.X")) << "class names ignore letter case";
    EXPECT_FALSE(desktop.HasClass(winamp.Handle(), L"Winamp"));
    EXPECT_FALSE(desktop.HasClass(kNoWindow, kWinampClass));
}

}  // namespace
}  // namespace lyrics::orlisk::win32
