#include "orlisk/caption_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace lyrics::orlisk {
namespace {

void Expect(std::wstring_view caption, CaptionKind kind, std::wstring_view title) {
    SCOPED_TRACE(std::string(caption.begin(), caption.end()));
    const CaptionResult result = TitleFromCaption(caption);
    EXPECT_EQ(result.kind, kind);
    EXPECT_EQ(result.title, title);
}
// Each caption with the title it gives.
void ExpectTitles(std::initializer_list<std::pair<std::wstring_view, std::wstring_view>> cases) {
    for (const auto& [caption, title] : cases) Expect(caption, CaptionKind::Title, title);
}
// Captions that give no title, or none and are skipped, with an empty title.
void ExpectNone(CaptionKind kind, std::initializer_list<std::wstring_view> captions) {
    for (const std::wstring_view caption : captions) Expect(caption, kind, L"");
}

TEST(CaptionParser, TypicalCaptions) {
    ExpectTitles({{L"12. Artist - Song - Winamp", L"Artist - Song"},
                  {L"3. Artist - Song - Winamp anything", L"Artist - Song"},
                  {L"7. Artist - Song (playing)", L"Artist - Song"},
                  {L"7. Artist - Song (1:23)", L"Artist - Song"},
                  {L"7. Song (Live) (3:45)", L"Song (Live)"},
                  {L"7. Artist: Live (paused)", L"Artist: Live"},
                  {L"7. Artist - Song", L"Artist - Song"},
                  {L"7. Song (Playing)", L"Song (Playing)"},
                  {L"1234. Song - Winamp", L"Song"},
                  {L"ab. Song - Winamp", L"Song"},
                  {L"1. 2. Song - Winamp", L"2. Song"},
                  {L"5. The Winamp Song - Winamp", L"T"}});
    ExpectNone(CaptionKind::NoTitle, {L"12345. Song - Winamp", L"Winamp 5.0"});
    ExpectNone(CaptionKind::Skipped, {L"Winamp Equalizer"});
}

TEST(CaptionParser, OnlyTheExactFixedCaptionsAreSkipped) {
    ExpectNone(CaptionKind::Skipped, {L"Winamp Playlist Editor", L"Winamp Minibrowser", L"Orlisk"});
    ExpectNone(CaptionKind::NoTitle, {L"orlisk", L"Winamp Equalizer ", L"Winamp Playlist Editor - 1. x - Winamp"});
}

TEST(CaptionParser, NumberPrefixCorners) {
    ExpectNone(CaptionKind::NoTitle, {L"", L"1.", L"1. ", L"1.Song - Winamp", L"Song - Winamp"});
    ExpectTitles({{L"1. x", L"x"}, {L"?!. Song", L"Song"}});
}

TEST(CaptionParser, TooLittleRoomForATitleGivesNoTitle) {
    // Exactly three characters before "Winamp", then lengths below 0.
    ExpectNone(CaptionKind::NoTitle, {L"3.  - Winamp", L"3. Winamp", L"3. xWinamp", L"3. xyWinamp", L"3. (playing)",
                                      L"3. x(playing)", L"3. (1:23)", L"3. (:)", L"3. x(1:2)"});
}

TEST(CaptionParser, StatusFormCorners) {
    // Only the status word's length counts, not where it stands.
    Expect(L"7. Song (playing) live", CaptionKind::Title, L"Song (pla");
    Expect(L"7. Song (stopped)", CaptionKind::Title, L"Song");
    Expect(L"7. Song (PAUSED)", CaptionKind::Title, L"Song (PAUSED)");
    // A "(" right of every colon is passed over.
    Expect(L"7. A:B (x)", CaptionKind::Title, L"A:B (x)");
    // The last character is never looked at, so a colon there does not count.
    Expect(L"7. Song (x:", CaptionKind::Title, L"Song (x:");
    Expect(L"7. Song (x:)", CaptionKind::Title, L"Song");
    // The group nearest the end wins over a status word.
    Expect(L"7. Song (1:00) (paused)", CaptionKind::Title, L"Song");
    // "Winamp" anywhere after the prefix decides the main form.
    Expect(L"7. Song (1:23) Winamp", CaptionKind::Title, L"Song (1:2");
    EXPECT_EQ(TitleFromStatusCaption(L"12. Song (playing)", 3), L"Song");
    EXPECT_EQ(TitleFromStatusCaption(L"12. (playing)", 3), L"");
}

TEST(CaptionParser, TitlesKeepEveryCharacter) {
    const std::wstring longTitle(40000, L'x');
    ExpectTitles(
        {{L"9. Sigur Rós – Hoppípolla ☂ - Winamp", L"Sigur Rós – Hoppípolla ☂"}, {L"1. " + longTitle + L" - Winamp", longTitle}});
}

}  // namespace
}  // namespace lyrics::orlisk
