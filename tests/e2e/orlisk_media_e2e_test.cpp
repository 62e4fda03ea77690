// End-to-end tests of Orlisk.exe following Windows' media controls when no Winamp plays: the
// stand-in media controls registered in the test prefix (Wine's combase loads them), Wine's
// Notepad, and the stand-in Winamp where Winamp's song must win. Also a player that acts as
// Winamp only in part (foobar2000's component), followed by its caption.
//
// Usage: orlisk_media_e2e --orlisk=PATH\Orlisk.exe --winamp=PATH\fake_winamp.exe
//                         --media=PATH\media_controls_stand_in.dll [gtest options]

#include "tests/e2e/orlisk_fixture.h"
#include "tests/stand_ins/media_controls_control.h"

namespace orlisk_e2e {
namespace {

class MediaE2E : public OrliskFixture {
protected:
    void SetUp() override {
        OrliskFixture::SetUp();
        ASSERT_FALSE(Programs().media.empty()) << "--media=PATH is missing";
        registered_.emplace(Programs().media);
    }
    void TearDown() override {
        OrliskFixture::TearDown();
        registered_.reset();
    }

    // Orlisk started over the test's folder, "Start" and "Auto" as given, and reading the
    // media controls (both of their events registered) when expectSession.
    bool StartOrlisk(const std::wstring& start, const std::wstring& automatic, bool expectSession = true) {
        StoreSettings(start, automatic);
        if (orlisk_.Start(Programs().orlisk) == nullptr) return false;
        return !expectSession || WaitFor([] { return MediaValue(L"Registrations") == L"2"; }, 10s);
    }

    // Clicks the icon and waits for the lyrics of name to be ready; null when they did not come.
    HWND ClickFor(const std::wstring& name, HWND notThis = nullptr) {
        orlisk_.ClickIcon();
        return ReadyLyricsOf(name, notThis);
    }

    std::optional<RegisteredMediaStandIn> registered_;
};

TEST_F(MediaE2E, ATrayClickOpensTheSessionsSongByArtistAndTitleOrTitleAlone) {
    ASSERT_TRUE(lyrics_.AddFile(L"宇多田ヒカル - 花束を君に.txt", "Lyrics\r\n"));
    ASSERT_TRUE(lyrics_.AddFile(L"Άρνηση.txt", "Lyrics\r\n"));
    MediaPlays(L"Spotify.exe", L"Artist", L"Song");
    ASSERT_TRUE(StartOrlisk(L"0", L"0"));
    // Orlisk's first reading of the session ends after its registrations; a click before it finds no song.
    ASSERT_TRUE(WaitFor([] { return MediaValue(L"ArtistRead") == L"Artist"; }, 10s));
    const HWND first = ClickFor(kFirstSong);
    ASSERT_NE(first, nullptr) << "\"Artist - Song.txt\"";

    MediaPlays(L"foobar2000.exe", L"宇多田ヒカル", L"花束を君に");  // another session
    std::this_thread::sleep_for(500ms);                             // the stand-in polls, the adapter reads again
    EXPECT_NE(ClickFor(L"宇多田ヒカル - 花束を君に"), nullptr);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 3s)) << "the click closed the last song's lyrics";

    MediaPlays(L"foobar2000.exe", L"Μίκης Θεοδωράκης", L"Άρνηση");
    std::this_thread::sleep_for(500ms);
    EXPECT_NE(ClickFor(L"Άρνηση"), nullptr) << "only \"Title.txt\" exists";
    EXPECT_EQ(NotepadWindows().size(), 1u);
}

TEST_F(MediaE2E, AutoFollowsASongChangeAndNothingElse) {
    MediaPlays(L"Spotify.exe", L"Artist", L"Song");
    ASSERT_TRUE(StartOrlisk(L"1", L"1"));
    const HWND first = ReadyLyricsOf(kFirstSong);
    ASSERT_NE(first, nullptr) << "the session's song opens by itself";

    SetMediaValue(L"Republish", L"pause");  // the same song again
    std::this_thread::sleep_for(300ms);
    SetMediaValue(L"BlankReads", L"1");
    SetMediaValue(L"Republish", L"seek");
    EXPECT_FALSE(WaitFor([&] { return !::IsWindow(first) || NotepadWindows().size() != 1; }, 4500ms))
        << "a pause, a seek, blank fields for a moment: no change";
    MediaPlays(L"", L"", L"");
    EXPECT_FALSE(WaitFor([&] { return !::IsWindow(first); }, 2500ms)) << "no session any more closes nothing";

    MediaPlays(L"Spotify.exe", L"Other", L"Tune");
    const auto changed = std::chrono::steady_clock::now();
    EXPECT_NE(ReadyLyricsOf(kSecondSong), nullptr) << "a song change opens the new lyrics";
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 3s)) << "and closes the old";
    std::printf("media controls, song change: lyrics after %d ms\n", MillisecondsSince(changed));
}

TEST_F(MediaE2E, WinampsSongWins) {
    MediaPlays(L"Spotify.exe", L"Artist", L"Song");
    ASSERT_TRUE(StartWinamp(WinampCaption(2, kSecondSong)));
    ASSERT_TRUE(StartOrlisk(L"0", L"0"));
    EXPECT_NE(ClickFor(kSecondSong), nullptr);
    EXPECT_EQ(LyricsOf(kFirstSong), nullptr);
}

TEST_F(MediaE2E, PlayersZeroOrNoMediaControlsIsWinampOnlyWithoutADelay) {
    MediaPlays(L"Spotify.exe", L"Artist", L"Song");
    StoreSetting(L"Players", L"0");
    ASSERT_TRUE(StartOrlisk(L"0", L"0", false));
    orlisk_.ClickIcon();
    EXPECT_TRUE(NoNotepadFor(3s)) << "Players = 0: no session song";
    EXPECT_EQ(MediaValue(L"Registrations"), L"") << "the media controls were never asked";
    orlisk_.Stop();

    registered_.reset();  // Wine as it comes: no such class
    StoreSetting(L"Players", L"1");
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(StartOrlisk(L"0", L"0", false));
    EXPECT_TRUE(orlisk_.Answers());
    std::printf("no media controls: Orlisk answers after %d ms\n", MillisecondsSince(started));
    orlisk_.ClickIcon();
    EXPECT_TRUE(NoNotepadFor(3s)) << "today's behaviour: nothing to open";
    EXPECT_TRUE(orlisk_.VisibleDialogs().empty()) << "and no message";
    ASSERT_TRUE(StartWinamp(WinampCaption(1, kFirstSong)));
    EXPECT_NE(ClickFor(kFirstSong), nullptr) << "Winamp is followed as ever";
}

TEST_F(MediaE2E, ASlowSessionNeverDelaysAClickAndExitEndsAtOnceRemovingEveryRegistration) {
    MediaPlays(L"Spotify.exe", L"Artist", L"Song");
    ASSERT_TRUE(StartOrlisk(L"0", L"0"));
    ASSERT_NE(ClickFor(kFirstSong), nullptr);
    const HWND first = LyricsOf(kFirstSong);

    SetMediaValue(L"Delay", L"30000");  // the next readings answer after 30 s
    MediaPlays(L"Spotify.exe", L"Other", L"Tune");
    std::this_thread::sleep_for(300ms);
    const auto clicked = std::chrono::steady_clock::now();
    EXPECT_NE(ClickFor(kFirstSong, first), nullptr) << "the last song read, reopened at once";
    const int reopenedAfter = MillisecondsSince(clicked);
    EXPECT_LT(reopenedAfter, 5000);
    EXPECT_TRUE(orlisk_.Answers());

    const auto exiting = std::chrono::steady_clock::now();
    orlisk_.Stop();
    const int endedAfter = MillisecondsSince(exiting);
    EXPECT_FALSE(orlisk_.Process().IsRunning());
    EXPECT_EQ(orlisk_.Process().ExitCode(), std::optional<DWORD>(0)) << "ended by itself, not terminated";
    EXPECT_LT(endedAfter, 4000);
    EXPECT_EQ(MediaValue(L"Registrations"), L"0") << "every event registration removed";
    std::printf("slow session: click answered after %d ms; Exit took %d ms\n", reopenedAfter, endedAfter);
}

TEST_F(MediaE2E, APlayerActingAsWinampInPartIsFollowedByItsCaption) {
    registered_.reset();
    ASSERT_TRUE(StartWinamp({L"--winamp", L"--foobar", kFirstSong, kSecondSong}));
    const HWND window = WinampWindow();
    ASSERT_EQ(::FindWindowW(L"Winamp v1.x", nullptr), window);
    ASSERT_TRUE(StartOrlisk(L"1", L"1", false));
    const HWND first = ReadyLyricsOf(kFirstSong);
    ASSERT_NE(first, nullptr) << "\"1. Artist - Song - Winamp\"";

    ::PostMessageW(window, WM_COMMAND, kWinampNext, 0);  // next: "2. Other - Tune - Winamp", IPC_GETLISTPOS still 0
    EXPECT_NE(ReadyLyricsOf(kSecondSong), nullptr) << "the caption's change is followed";
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 3s));
}

}  // namespace
}  // namespace orlisk_e2e

int wmain(int argc, wchar_t** argv) { return orlisk_e2e::RunOrliskE2ETests(argc, argv); }
