// A player's song: the names and the file its lyrics are looked up by, and when it changes; the
// path the shell gets for a song, within the limits of a file name and of the shell's path.
#include "orlisk/player_song.h"
#include "orlisk/lyrics_files.h"

#include <gtest/gtest.h>

#include <set>

namespace lyrics::orlisk {
namespace {

TEST(PlayerLyrics, ArtistAndTitleFirstThenTheTitleAloneThenTheFirstNameMissing) {
    const PlayerSong song{L"Spotify.exe", L"Μίκης Θεοδωράκης", L"Το τρένο φεύγει"};
    const std::wstring full = L"C:\\Lyrics\\Μίκης Θεοδωράκης - Το τρένο φεύγει.txt";
    const std::wstring alone = L"C:\\Lyrics\\Το τρένο φεύγει.txt";
    struct Case {
        std::set<std::wstring> files;
        std::wstring name, path;
    } cases[] = {
        {{full, alone}, L"Μίκης Θεοδωράκης - Το τρένο φεύγει", full},
        {{alone}, L"Το τρένο φεύγει", alone},
        {{}, L"Μίκης Θεοδωράκης - Το τρένο φεύγει", full},
    };
    for (const Case& c : cases) {
        const PlayerLyrics lyrics =
            ChoosePlayerLyrics(L"C:\\Lyrics\\", song, [&](const std::wstring& p) { return c.files.count(p) > 0; });
        EXPECT_EQ(lyrics.name, c.name);
        EXPECT_EQ(lyrics.path, c.path);
    }
    // No artist: the title alone, and only it is asked for.
    int asked = 0;
    const PlayerLyrics untitled = ChoosePlayerLyrics(L"C:\\L\\", {L"", L"", L"夜に駆ける"}, [&](const std::wstring&) {
        ++asked;
        return false;
    });
    EXPECT_EQ(untitled.name, L"夜に駆ける");
    EXPECT_EQ(untitled.path, L"C:\\L\\夜に駆ける.txt");
    EXPECT_EQ(asked, 1);
}

TEST(PlayerLyrics, ANameThatWouldLeaveTheFolderHasNoPathButTheTitleAloneMayStillOpen) {
    const PlayerSong song{L"", L"AC/DC", L"Thunderstruck"};
    const PlayerLyrics missing = ChoosePlayerLyrics(L"C:\\L\\", song, [](const std::wstring&) { return false; });
    EXPECT_EQ(missing.name, L"AC/DC - Thunderstruck");
    EXPECT_EQ(missing.path, std::nullopt);
    const PlayerLyrics alone = ChoosePlayerLyrics(L"C:\\L\\", song, [](const std::wstring&) { return true; });
    EXPECT_EQ(alone.path, L"C:\\L\\Thunderstruck.txt");
    EXPECT_EQ(ChoosePlayerLyrics(L"C:\\L\\", {L"", L"", L".."}, [](const std::wstring&) { return true; }).path, std::nullopt);
}

TEST(PlayerSongTracker, AChangeIsAnotherArtistOrTitleNeverAGapOrTheSameSongAgain) {
    PlayerSongTracker tracker;
    const PlayerSong a{L"spotify", L"Artist", L"One"};
    EXPECT_FALSE(tracker.Changed(std::nullopt));
    EXPECT_TRUE(tracker.Changed(a));
    EXPECT_FALSE(tracker.Changed(a));                                      // a pause or a seek reads the same
    EXPECT_FALSE(tracker.Changed(PlayerSong{L"vlc", L"Artist", L"One"}));  // another player, same song
    EXPECT_FALSE(tracker.Changed(PlayerSong{L"spotify", L"", L" "}));      // blank for a moment
    EXPECT_FALSE(tracker.Changed(std::nullopt));                           // the session went away
    EXPECT_FALSE(tracker.Changed(a));                                      // and came back with the same song
    EXPECT_TRUE(tracker.Changed(PlayerSong{L"spotify", L"Other", L"One"}));
    EXPECT_TRUE(tracker.Changed(PlayerSong{L"spotify", L"Other", L"Two"}));
    EXPECT_EQ(tracker.LastSong()->title, L"Two");
}

TEST(LyricsPath, ATitleTooLongForAFileNameHasNoPath) {
    // title + ".txt" may take the 255 characters of a file name, not one more.
    const std::wstring longest(251, L'a');
    EXPECT_EQ(LyricsPath(L"C:\\", longest), L"C:\\" + longest + L".txt");
    EXPECT_EQ(LyricsPath(L"C:\\", longest + L"a"), std::nullopt);
    EXPECT_EQ(LyricsPath(L"C:\\", std::wstring(2000, L'a')), std::nullopt);
}

TEST(LyricsPath, APathLongerThanTheShellTakesHasNone) {
    // A good file name in a deep folder: the whole path may take 259 characters.
    const std::wstring folder = L"C:\\" + std::wstring(100, L'f') + L"\\";
    const std::wstring fits(259 - folder.size() - 4, L't');
    ASSERT_LE(fits.size() + 4, 255u);
    EXPECT_EQ(LyricsPath(folder, fits)->size(), 259u);
    EXPECT_EQ(LyricsPath(folder, fits + L"t"), std::nullopt);
    // A long folder alone is enough.
    EXPECT_EQ(LyricsPath(L"C:\\" + std::wstring(300, L'f') + L"\\", L"Song"), std::nullopt);
}

}  // namespace
}  // namespace lyrics::orlisk
