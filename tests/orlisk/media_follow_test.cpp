// Following Windows' media controls when no Winamp plays: which song and which file a click
// opens, what the tick calls a song change, and the "Players" switch.
#include <gtest/gtest.h>

#include "tests/orlisk/orlisk_fixture.h"

namespace lyrics::orlisk::testing {
namespace {

class MediaFollow : public OrliskTest {
protected:
    MediaFollow() : OrliskTest({L"Inbox - Mail"}) { o.files.AddFolder(L"C:\\Lyrics"); }
    // Start-up as the program runs it, "Start" off so that nothing opens yet.
    void Load(const wchar_t* players = nullptr) {
        o.store.values[L"Start"] = L"0";
        o.store.values[L"Path"] = L"C:\\Lyrics\\";
        if (players != nullptr) o.store.values[L"Players"] = players;
        ASSERT_EQ(o.logic.Form_Load(), ProgramNext::KeepRunning);
    }
};

TEST_F(MediaFollow, AClickTakesTheSessionsSongOnlyWhenNoWinampPlays) {
    // Files and the file opened are named in the lyrics folder; winamp: a Winamp caption above, or none.
    struct Case {
        const char* what;
        std::optional<PlayerSong> song;
        std::vector<std::wstring> files;
        const wchar_t *winamp, *opened, *tip;
    };
    const Case cases[] = {
        Case("artist - title first", PlayerSong{L"Spotify", L"Μίκης Θεοδωράκης", L"Άρνηση"},
             {L"Μίκης Θεοδωράκης - Άρνηση.txt", L"Άρνηση.txt"}, nullptr, L"Μίκης Θεοδωράκης - Άρνηση.txt",
             L"Last Opened: Μίκης Θεοδωράκης - Άρνηση"),
        Case("the title alone when only it exists", PlayerSong{L"foobar2000", L"宇多田ヒカル", L"花束を君に"},
             {L"花束を君に.txt"}, nullptr, L"花束を君に.txt", L"Last Opened: 花束を君に"),
        Case("no artist", PlayerSong{L"Chrome", L"", L"Title"}, {}, nullptr, L"Title.txt", L"Last Opened: Title"),
        Case("Winamp's song wins", PlayerSong{L"Spotify", L"Artist", L"Title"}, {L"Artist - Title.txt"},
             L"3. Other - Song - Winamp", L"Other - Song.txt", L"Last Opened: Other - Song"),
        Case("a name that would leave the folder", PlayerSong{L"Spotify", L"AC/DC", L"T.N.T."}, {}, nullptr, nullptr,
             L"Could not open file: AC/DC - T.N.T."),
        Case("blank fields while a song starts", PlayerSong{L"Spotify", L"", L"  "}, {}, nullptr, nullptr,
             L"Winamp may not be open"),
        Case("no session", std::nullopt, {}, nullptr, nullptr, L"Winamp may not be open"),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        o.shell.opened.clear();
        o.media.song = c.song;
        o.files.files.clear();
        for (const std::wstring& file : c.files) o.files.AddFile(L"C:\\Lyrics\\" + file);
        const WindowHandle winamp = c.winamp ? o.desktop.AddWinamp(c.winamp) : kNoWindow;
        Click();
        EXPECT_EQ(o.Opened(),
                  c.opened ? std::vector<std::wstring>{L"C:\\Lyrics\\" + std::wstring(c.opened)} : std::vector<std::wstring>{});
        EXPECT_EQ(o.tip.Current(), c.tip);
        if (winamp != kNoWindow) o.desktop.Remove(winamp);
    }
}

TEST_F(MediaFollow, PlayersZeroLeavesTheMediaControlsAlone) {
    Load(L"0");
    o.media.Plays(L"Artist", L"Title");
    Click();
    o.controls.chkAuto = CheckState::Checked;
    Tick();
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.media.follows, 0);
    EXPECT_EQ(o.media.reads, 0);
    EXPECT_TRUE(o.store.writes.empty()) << "no control shows it, nothing writes it";
}

TEST_F(MediaFollow, PlayersIsFollowedWhenMissingOrAnyTextButZero) {
    for (const wchar_t* players : {static_cast<const wchar_t*>(nullptr), L"1", L"yes"}) {
        FakeOrlisk fresh;
        if (players != nullptr) fresh.store.values[L"Players"] = players;
        fresh.logic.Form_Load();
        EXPECT_EQ(fresh.media.follows, 1);
    }
}

TEST_F(MediaFollow, TheTickFollowsTheSessionsSongAndHandsOverToWinampAndBack) {
    Load();
    const auto notepadOf = [&](const wchar_t* name) { return o.desktop.Add(std::wstring(name) + L" - Notepad"); };
    const auto tick = [&] {
        o.shell.opened.clear();
        Tick();
        return o.Opened();
    };
    o.media.Plays(L"Artist", L"One");
    EXPECT_EQ(tick(), Lyrics({L"Artist - One"})) << "a song appears";
    const WindowHandle one = notepadOf(L"Artist - One");
    EXPECT_EQ(tick(), std::vector<std::wstring>{}) << "the same song (a pause, a seek)";
    o.media.song.reset();
    EXPECT_EQ(tick(), std::vector<std::wstring>{}) << "no session any more";
    o.media.Plays(L"Artist", L"  ");
    EXPECT_EQ(tick(), std::vector<std::wstring>{}) << "blank fields for a moment";
    o.media.Plays(L"Artist", L"One");
    EXPECT_EQ(tick(), std::vector<std::wstring>{}) << "the session comes back with the same song";
    EXPECT_TRUE(o.desktop.PostedTo(one).empty());

    o.media.Plays(L"Other", L"One");
    EXPECT_EQ(tick(), Lyrics({L"Other - One"})) << "another artist";
    EXPECT_EQ(o.desktop.PostedTo(one).back(), (PostedMessage{one, Message::Close}));
    const WindowHandle other = notepadOf(L"Other - One");

    const WindowHandle winamp = o.desktop.AddWinamp(L"7. Winamp - Song - Winamp");
    o.remote.Plays(winamp, 6, L"Winamp - Song");
    EXPECT_EQ(tick(), Lyrics({L"Winamp - Song"})) << "Winamp takes over";
    EXPECT_EQ(o.desktop.PostedTo(other).back(), (PostedMessage{other, Message::Close}));
    const int reads = o.media.reads;
    EXPECT_EQ(tick(), std::vector<std::wstring>{});
    EXPECT_EQ(o.media.reads, reads) << "while Winamp plays, the session is not asked";

    o.remote.Stops(winamp);
    o.desktop.Find(winamp)->caption = L"7. Winamp - Song - Winamp [Stopped]";
    EXPECT_EQ(tick(), std::vector<std::wstring>{}) << "the lyrics of a stopped Winamp stay";
    o.desktop.Remove(winamp);
    EXPECT_EQ(tick(), Lyrics({L"Other - One"})) << "Winamp gone: the session again";
}

TEST_F(MediaFollow, CloseLyricsClosesTheNotepadOfTheNameThatOpened) {
    o.files.AddFile(L"C:\\Lyrics\\One.txt");
    o.media.Plays(L"Artist", L"One");
    o.logic.mnuOpen_Click();
    const WindowHandle notepad = o.desktop.Add(L"One.txt - Notepad");
    o.logic.mnuClsWindow_Click();
    EXPECT_EQ(o.desktop.PostedTo(notepad).back(), (PostedMessage{notepad, Message::Close}));
}

}  // namespace
}  // namespace lyrics::orlisk::testing
