// The unmatch list: the titles without a lyrics file and the lyrics files without a title, with
// the playlist's title count and playing time and the folder's count of text files. 8-bit text, or
// UTF-8 with a byte-order mark when a character does not fit the code page (match/list_encoding.h),
// every line ending in CR LF, named "UnMatch dd-mm-yyyy hh.mm.ss.txt" after the local time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/local_time.h"
#include "common/result.h"
#include "match/match_outcome.h"

namespace lyrics::match {

struct PlayingTime {
    std::int64_t hours = 0;  // whole days included: 25 hours stay 25
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
};

// Splits whole seconds with divisions that truncate toward zero (-5 gives 0:0:-5). Works in 64
// bits, so totals of 596 hours and more split as correctly as small ones.
PlayingTime SplitPlayingTime(std::int32_t totalSeconds);

struct UnmatchListContent {
    const std::vector<std::wstring>& playlistTitles;  // the blank slots are left out
    const std::vector<std::wstring>& lyricsFileNames;
    MatchOutcome matchOutcome;
    std::int64_t titleCount = 0;
    std::int64_t textFileCount = 0;
    PlayingTime playingTime;
    std::wstring_view playlistPath;  // as the user typed it
    std::wstring_view lyricsFolder;  // as the user typed it
};

// The list's lines, each ending in CR LF.
std::wstring ComposeUnmatchList(const UnmatchListContent& content);

// "UnMatch 05-12-2026 20.19.26.txt"; from the second copy on "UnMatch 05-12-2026 20.19.26 (2).txt".
std::wstring UnmatchListName(const LocalTime& time, int copy = 1);

struct WrittenUnmatchList {
    std::wstring reportPath;
    std::int64_t listedTitles = 0;  // the titles without a lyrics file, one line each
    std::int64_t listedFiles = 0;   // the lyrics files without a title, one line each
};

// Writes the list into reportFolder as a new file: never over a file or through a link already
// under its name, but under the first free name of "(2)", "(3)", ... reportPath is the file written.
Result<WrittenUnmatchList> WriteUnmatchList(std::wstring_view reportFolder, const LocalTime& time,
                                            const UnmatchListContent& content);

// The question asked once the list exists, and its caption.
std::wstring UnmatchListPrompt(std::wstring_view reportPath);
inline constexpr std::wstring_view kUnmatchListCaption = L"Unmatch List";

}  // namespace lyrics::match
