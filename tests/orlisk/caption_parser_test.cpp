#include "orlisk/caption_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace lyrics::orlisk {
namespace {

struct CaptionCase {
    std::wstring_view caption;
    CaptionKind kind;
    std::wstring_view title;
};

void ExpectAll(std::initializer_list<CaptionCase> cases) {
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(std::string(c.caption.begin(), c.caption.end()));
        const CaptionResult result = TitleFromCaption(c.caption);
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(result.title, c.title);
    }
}

TEST(CaptionParser, TypicalCaptions) {
    ExpectAll({
        {L"12. Artist - Song - Winamp", CaptionKind::Title, L"Artist - Song"},
        {L"3. Artist - Song - Winamp anything", CaptionKind::Title, L"Artist - Song"},
        {L"7. Artist - Song (playing)", CaptionKind::Title, L"Artist - Song"},
        {L"7. Artist - Song (1:23)", CaptionKind::Title, L"Artist - Song"},
        {L"7. Song (Live) (3:45)", CaptionKind::Title, L"Song (Live)"},
        {L"7. Artist: Live (paused)", CaptionKind::Title, L"Artist: Live"},
        {L"7. Artist - Song", CaptionKind::Title, L"Artist - Song"},
        {L"7. Song (Playing)", CaptionKind::Title, L"Song (Playing)"},
        {L"1234. Song - Winamp", CaptionKind::Title, L"Song"},
        {L"ab. Song - Winamp", CaptionKind::Title, L"Song"},
        {L"1. 2. Song - Winamp", CaptionKind::Title, L"2. Song"},
        {L"5. The Winamp Song - Winamp", CaptionKind::Title, L"T"},
        {L"12345. Song - Winamp", CaptionKind::NoTitle, L""},
        {L"Winamp 5.0", CaptionKind::NoTitle, L""},
        {L"Winamp Equalizer", CaptionKind::Skipped, L""},
    });
}

TEST(CaptionParser, OnlyTheExactFixedCaptionsAreSkipped) {
    ExpectAll({
        {L"Winamp Playlist Editor", CaptionKind::Skipped, L""},
        {L"Winamp Minibrowser", CaptionKind::Skipped, L""},
        {L"Orlisk", CaptionKind::Skipped, L""},
        {L"orlisk", CaptionKind::NoTitle, L""},
        {L"Winamp Equalizer ", CaptionKind::NoTitle, L""},
        {L"Winamp Playlist Editor - 1. x - Winamp", CaptionKind::NoTitle, L""},
    });
}

TEST(CaptionParser, NumberPrefixCorners) {
    ExpectAll({
        {L"", CaptionKind::NoTitle, L""},
        {L"1.", CaptionKind::NoTitle, L""},
        {L"1. ", CaptionKind::NoTitle, L""},
        {L"1.Song - Winamp", CaptionKind::NoTitle, L""},
        {L"Song - Winamp", CaptionKind::NoTitle, L""},
        {L"1. x", CaptionKind::Title, L"x"},
        {L"?!. Song", CaptionKind::Title, L"Song"},
    });
}

TEST(CaptionParser, TooLittleRoomForATitleGivesNoTitle) {
    ExpectAll({
        {L"3.  - Winamp", CaptionKind::NoTitle, L""},  // exactly three characters before "Winamp"
        {L"3. Winamp", CaptionKind::NoTitle, L""},     // lengths below 0
        {L"3. xWinamp", CaptionKind::NoTitle, L""},
        {L"3. xyWinamp", CaptionKind::NoTitle, L""},
        {L"3. (playing)", CaptionKind::NoTitle, L""},
        {L"3. x(playing)", CaptionKind::NoTitle, L""},
        {L"3. (1:23)", CaptionKind::NoTitle, L""},
        {L"3. (:)", CaptionKind::NoTitle, L""},
        {L"3. x(1:2)", CaptionKind::NoTitle, L""},
    });
}

TEST(CaptionParser, StatusFormCorners) {
    ExpectAll({
        // Only the status word's length counts, not where it stands.
        {L"7. Song (playing) live", CaptionKind::Title, L"Song (pla"},
        {L"7. Song (stopped)", CaptionKind::Title, L"Song"},
        {L"7. Song (PAUSED)", CaptionKind::Title, L"Song (PAUSED)"},
        // A "(" right of every colon is passed over.
        {L"7. A:B (x)", CaptionKind::Title, L"A:B (x)"},
        // The last character is never looked at, so a colon there does not count.
        {L"7. Song (x:", CaptionKind::Title, L"Song (x:"},
        {L"7. Song (x:)", CaptionKind::Title, L"Song"},
        // The group nearest the end wins over a status word.
        {L"7. Song (1:00) (paused)", CaptionKind::Title, L"Song"},
        // "Winamp" anywhere after the prefix decides the main form.
        {L"7. Song (1:23) Winamp", CaptionKind::Title, L"Song (1:2"},
    });
    EXPECT_EQ(TitleFromStatusCaption(L"12. Song (playing)", 3), L"Song");
    EXPECT_EQ(TitleFromStatusCaption(L"12. (playing)", 3), L"");
}

TEST(CaptionParser, TitlesKeepEveryCharacter) {
    const std::wstring caption = L"9. Sigur Rós – Hoppípolla ☂ - Winamp";
    EXPECT_EQ(TitleFromCaption(caption).title, L"Sigur Rós – Hoppípolla ☂");
    const std::wstring longTitle(40000, L'x');
    EXPECT_EQ(TitleFromCaption(L"1. " + longTitle + L" - Winamp").title, longTitle);
}

}  // namespace
}  // namespace lyrics::orlisk
