#include "cli/follow_command.h"

#include <gtest/gtest.h>

#include <deque>

#include "cli/player_table.h"
#include "tests/cli/cli_fixture.h"

namespace lyrics::cli {
namespace {

using Kind = WatchEvent::Kind;
using lyrics::testing::Contains;

PlayerUpdate Song(std::wstring player, std::wstring status, std::wstring artist, std::wstring title) {
    return {std::move(player), std::move(status), orlisk::PlayerSong{{}, std::move(artist), std::move(title)}};
}
PlayerUpdate StatusOf(std::wstring player, std::wstring status) { return {std::move(player), std::move(status), {}}; }

// The bus as a script: the players there at the start, then the events; the end when it runs out.
class FakeWatch final : public PlayerWatch {
public:
    Result<std::vector<PlayerUpdate>> Players() override {
        if (failure) return Failure{*failure};
        return players;
    }
    WatchEvent Next() override {
        if (events.empty()) return {Kind::End, {}, L"the session bus went away."};
        WatchEvent event = events.front();
        events.pop_front();
        return event;
    }
    std::vector<PlayerUpdate> players;
    std::deque<WatchEvent> events;
    std::optional<std::wstring> failure;
};

class FakeOpener final : public LyricsOpener {
public:
    Status Open(const std::wstring& path) override {
        opened.push_back(path);
        return refuse ? Status(Failure{L"could not start xdg-open"}) : Status();
    }
    std::vector<std::wstring> Reap() override { return {L"xdg-open ended with status 3"}; }
    std::vector<std::wstring> opened;
    bool refuse = false;
};

TEST(PlayerTableTest, ChoosesThePlayingOneElseTheLastChangedAndPicksByName) {
    PlayerTable table;
    EXPECT_EQ(table.Choose(std::nullopt), nullptr);
    table.Apply(Song(L"alpha", L"Playing", L"A", L"One"));
    table.Apply(Song(L"beta", L"Paused", L"B", L"Two"));
    EXPECT_EQ(table.Choose(std::nullopt)->player, L"alpha");  // playing beats changed last
    table.Apply(StatusOf(L"alpha", L"Paused"));               // a status alone keeps the song
    EXPECT_EQ(table.ChosenSong(std::nullopt)->title, L"One");
    table.Apply(StatusOf(L"beta", L"Stopped"));
    EXPECT_EQ(table.ChosenSong(std::nullopt)->player, L"beta");
    table.Apply(Song(L"vlc.instance42", L"Paused", L"", L"Three"));
    EXPECT_EQ(table.Choose(L"vlc")->player, L"vlc.instance42");
    EXPECT_EQ(table.Choose(L"vl"), nullptr);
    EXPECT_EQ(table.Choose(L"alpha")->player, L"alpha");
    table.Remove(L"alpha");
    EXPECT_EQ(table.Choose(L"alpha"), nullptr);
}

TEST(FollowOptionsTest, WrongCommandLines) {
    lyrics::testing::TempFolder work;
    const std::vector<std::vector<std::wstring>> wrong = {{},
                                                          {L"--folder"},
                                                          {L"--folder", work.text(), L"--folder", work.text()},
                                                          {L"--folder", work / L"none"},
                                                          {L"--folder", work.text(), L"--open", L"--print"},
                                                          {L"--folder", work.text(), L"--editor", L"--print"},
                                                          {L"--folder", work.text(), L"--player", L""},
                                                          {L"--folder", work.text(), L"--loud"}};
    for (const auto& args : wrong) EXPECT_FALSE(ParseFollowOptions(args).ok()) << (args.empty() ? L"" : args.back());
    const Result<FollowOptions> editor = ParseFollowOptions({L"--editor", L"--folder", work.text()});
    ASSERT_TRUE(editor.ok());
    EXPECT_TRUE(editor->open);
    EXPECT_FALSE(ParsePlayingOptions({L"--player"}).ok());
    EXPECT_EQ(ParsePlayingOptions({L"--player", L"x"})->player, L"x");
}

class FollowTest : public ::testing::Test {
protected:
    int Follow(bool open = false, std::optional<std::wstring> player = std::nullopt) {
        return RunFollow(FollowOptions{work.text(), std::move(player), open, false}, io, watch, opener);
    }
    void Event(Kind kind, PlayerUpdate update) { watch.events.push_back({kind, std::move(update), {}}); }
    lyrics::testing::TempFolder work;
    RecordingIo io;
    FakeWatch watch;
    FakeOpener opener;
};

TEST_F(FollowTest, PrintsOneLineForEverySongAndNoneForThePausesAndBlanksBetween) {
    const std::wstring redOne = work.Write(L"Red - One.txt", "x"), two = work.Write(L"Two.txt", "x");
    watch.players = {Song(L"alpha", L"Playing", L"Red", L"One")};
    Event(Kind::Update, StatusOf(L"alpha", L"Paused"));
    Event(Kind::Update, Song(L"alpha", L"Playing", L"", L" "));
    Event(Kind::Update, Song(L"alpha", L"Playing", L"Red", L"One"));
    Event(Kind::Update, Song(L"alpha", L"Playing", L"Red", L"Two"));  // only the title's file is there
    Event(Kind::Update, Song(L"beta", L"Playing", L"Blue", L"AC/DC"));
    Event(Kind::Gone, {L"beta", {}, {}});
    Event(Kind::Update, Song(L"gamma", L"Playing", L"", L"Three"));
    EXPECT_EQ(Follow(), kExitOk);
    EXPECT_EQ(io.out, redOne + L"\n" + two + L"\nno lyrics: Blue - AC/DC\n" + two + L"\nno lyrics: Three\n");
    EXPECT_EQ(io.err, L"lyrics follow: the session bus went away.\n");
}

TEST_F(FollowTest, OpensTheFilesThatExistAndCollectsWhatItStarted) {
    const std::wstring one = work.Write(L"One.txt", "x");
    watch.players = {Song(L"alpha", L"Playing", L"", L"One")};
    Event(Kind::Update, Song(L"alpha", L"Playing", L"", L"Missing"));
    Event(Kind::ChildEnded, {});
    opener.refuse = true;
    Event(Kind::Update, Song(L"alpha", L"Playing", L"", L"One"));
    EXPECT_EQ(Follow(true), kExitOk);
    EXPECT_EQ(opener.opened, (std::vector<std::wstring>{one, one}));
    EXPECT_EQ(io.out, L"no lyrics: Missing\n");
    EXPECT_TRUE(Contains(io.err, L"lyrics follow: xdg-open ended with status 3\n"));
    EXPECT_TRUE(Contains(io.err, L"lyrics follow: could not start xdg-open\n"));
}

TEST_F(FollowTest, FollowsOnlyTheNamedPlayerAndStopsWhenOutputIsLost) {
    watch.players = {Song(L"alpha", L"Paused", L"", L"One"), Song(L"beta", L"Playing", L"", L"Two")};
    Event(Kind::Update, Song(L"beta", L"Playing", L"", L"Three"));
    EXPECT_EQ(Follow(false, L"alpha"), kExitOk);
    EXPECT_EQ(io.out, L"no lyrics: One\n");
    io = RecordingIo{};
    io.outLost = L"No space left on device";
    watch.events = {};
    Event(Kind::Update, Song(L"beta", L"Playing", L"", L"Three"));
    EXPECT_EQ(Follow(), kExitFailure);
    EXPECT_EQ(watch.events.size(), 1u);  // it stopped at the first line lost
    watch.failure = L"no session bus.";
    EXPECT_EQ(Follow(), kExitFailure);
}

TEST(PlayingTest, NamesTheSongOrSaysWhyNothingPlays) {
    struct Case {
        std::vector<PlayerUpdate> players;
        std::optional<std::wstring> player;
        std::wstring out, err;
    };
    const std::vector<Case> cases = {
        {{Song(L"a", L"Paused", L"X", L"Y"), Song(L"b", L"Playing", L"Μίκης", L"Άρνηση")}, {}, L"Μίκης - Άρνηση\tb\n", L""},
        {{Song(L"a", L"Playing", L"", L"Y")}, {}, L"Y\ta\n", L""},
        {{}, {}, L"", L"lyrics playing: no media player is on the session bus (MPRIS).\n"},
        {{Song(L"a", L"Paused", L"", L"Y")}, {}, L"", L"lyrics playing: nothing plays (a: Paused).\n"},
        {{Song(L"a", L"Playing", L"", L"")}, {}, L"", L"lyrics playing: a plays a song without a title.\n"},
        {{Song(L"a", L"Playing", L"", L"Y"), Song(L"b", L"Playing", L"", L"Z")},
         L"c",
         L"",
         L"lyrics playing: no player \"c\" is on the session bus (there: a, b).\n"},
    };
    for (const Case& c : cases) {
        FakeWatch watch;
        watch.players = c.players;
        RecordingIo io;
        EXPECT_EQ(RunPlaying(PlayingOptions{c.player}, io, watch), c.out.empty() ? kExitFailure : kExitOk);
        EXPECT_EQ(io.out, c.out);
        EXPECT_EQ(io.err, c.err);
    }
}

}  // namespace
}  // namespace lyrics::cli
