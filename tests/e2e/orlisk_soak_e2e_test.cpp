// Orlisk.exe runs for days: a soak of open/close cycles under Wine, driven as a user and Winamp
// would drive it (tray clicks, the menu's "Open Lyrics" and "Close Lyrics", song changes seen by
// a click or by the Auto tick), with the handles and memory Orlisk holds read after the first
// cycles and again at the end. Each cycle ends when the lyrics show in a new Notepad, alone and
// ready for input. LYRICS_SOAK_CYCLES sets how many cycles (1000 when it is not set); the
// handles and memory are checked the same at any length.
#include <cstdio>
#include <functional>
#include <string>

#include "tests/driver/process_usage.h"
#include "tests/e2e/orlisk_fixture.h"

namespace orlisk_e2e {
namespace {

// Handles a long-running program may gain for reasons of the system's own (caches, a font, a
// thread pool), not leaks: a leak grows with the cycles.
constexpr std::size_t kHandleSlack = 5;
// The same for memory: heaps grow in steps.
constexpr std::size_t kMemorySlack = 8u << 20;

// How many open/close cycles the soak runs.
int SoakCycles() {
    const std::wstring cycles = EnvironmentText(L"LYRICS_SOAK_CYCLES");
    return cycles.empty() ? 1000 : std::stoi(cycles);
}

struct Sample {
    std::optional<std::size_t> handles;
    std::optional<std::size_t> committedBytes;
};

Sample Take(DWORD processId) { return {HandleCount(processId), CommittedBytes(processId)}; }

std::string Describe(const Sample& sample) {
    char text[96];
    std::snprintf(text, sizeof text, "%lld handles, %lld KiB committed",
                  sample.handles ? static_cast<long long>(*sample.handles) : -1LL,
                  sample.committedBytes ? static_cast<long long>(*sample.committedBytes / 1024) : -1LL);
    return text;
}

TEST_F(OrliskReliability, SoakOfOpenCloseCycles) {
    const int cycles = SoakCycles();
    ASSERT_GE(cycles, 10) << "LYRICS_SOAK_CYCLES: the first sample is taken after 10 cycles";
    HWND shown = StartWithFirstSongPlaying(L"1", L"1", 1);
    ASSERT_NE(shown, nullptr);
    const DWORD orlisk = orlisk_.Process().Id();
    const Sample atStart = Take(orlisk);
    Sample afterTen;

    std::wstring title = kFirstSong;
    int position = 1;
    const auto NextSong = [&] {
        title = title == kFirstSong ? kSecondSong : kFirstSong;
        return PlaySong(WinampCaption(++position, title));
    };
    // A click or menu command that reaches Orlisk while it still waits for the last Notepad to be
    // ready is dropped, as during a walk; on a loaded machine the test's next one can land there.
    // Such a cycle asks once more; a few are expected, many would be a fault.
    int askedAgain = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        std::function<void()> ask;
        if (cycle % 100 == 50) {
            // The song changes and nobody clicks: the Auto tick closes and opens.
            ASSERT_TRUE(NextSong());
        } else {
            switch (cycle % 4) {
                case 0:
                    ASSERT_TRUE(NextSong());
                    ask = [&] { orlisk_.ClickIcon(); };
                    break;
                case 1:
                    ask = [&] { orlisk_.ClickIcon(); };
                    break;
                case 2:
                    // The same song: a song change seen by the tick while the menu is up would walk
                    // the windows inside the menu's loop, whose handling of pending messages takes
                    // the keys meant for the menu.
                    ask = [&] { ASSERT_TRUE(orlisk_.Choose(DrivenOrlisk::kOpenLyrics)) << "cycle " << cycle; };
                    break;
                default:
                    ASSERT_TRUE(orlisk_.Choose(DrivenOrlisk::kCloseLyrics)) << "cycle " << cycle;
                    ASSERT_TRUE(WaitFor([] { return NotepadWindows().empty(); }, 10s)) << "cycle " << cycle;
                    ask = [&] { orlisk_.ClickIcon(); };
                    break;
            }
        }
        if (ask) {
            ASSERT_NO_FATAL_FAILURE(ask());
        }
        // The cycle is done when the song's lyrics show in a new window, alone.
        HWND fresh = ReadyLyricsOf(title, shown, ask ? 5s : 15s);
        if (!fresh && ask) {
            ++askedAgain;
            ASSERT_NO_FATAL_FAILURE(ask());
            fresh = ReadyLyricsOf(title, shown, 15s);
        }
        shown = fresh;
        ASSERT_NE(shown, nullptr) << "cycle " << cycle << ": no new Notepad of "
                                  << (title == kFirstSong ? "the first" : "the second") << " song";
        ASSERT_TRUE(WaitFor([] { return NotepadWindows().size() == 1; }, 5s))
            << "cycle " << cycle << ": " << NotepadWindows().size() << " Notepad windows";
        if (cycle == 10) afterTen = Take(orlisk);
    }
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(orlisk_.Answers()) << "Orlisk still handles its events";
    const Sample atEnd = Take(orlisk);
    EXPECT_TRUE(orlisk_.VisibleDialogs().empty());

    const auto seconds = std::chrono::duration_cast<std::chrono::milliseconds>(took).count() / 1000.0;
    std::printf("soak: %d open/close cycles in %.1f s (%.0f ms a cycle)\n", cycles, seconds, seconds * 1000 / cycles);
    std::printf("soak: %d cycles asked a second time\n", askedAgain);
    EXPECT_LE(askedAgain, cycles / 10) << "clicks are lost, not only those during the wait for a Notepad";
    std::printf("soak: at start %s; after 10 cycles %s; after %d cycles %s\n", Describe(atStart).c_str(),
                Describe(afterTen).c_str(), cycles, Describe(atEnd).c_str());
    ASSERT_TRUE(afterTen.handles && atEnd.handles) << "the system's handle list could not be read";
    EXPECT_LE(*atEnd.handles, *afterTen.handles + kHandleSlack) << "handles grow with the cycles";
    if (afterTen.committedBytes && atEnd.committedBytes) {
        EXPECT_LE(*atEnd.committedBytes, *afterTen.committedBytes + kMemorySlack) << "memory grows with the cycles";
    }
}

}  // namespace
}  // namespace orlisk_e2e
