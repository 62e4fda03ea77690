// The match run: the check of the two inputs, then playlist, folder, matching and the unmatch list.
// Both the Match window and the lyrics command-line tool call these.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/local_time.h"
#include "common/result.h"
#include "match/title_matching.h"
#include "match/unmatch_list.h"

namespace lyrics::match {

enum class InputCheck { Passed, InvalidLyricsFolder, InvalidPlaylistFile };

// The checks in order, stopping at the first that fails: a folder exists at folderText; folderText
// is not made of spaces alone; a file exists at playlistText and its last four characters,
// lower-cased, are ".pls", ".m3u" or ".b4s", or its last five ".m3u8". The texts are taken as
// typed, untrimmed.
InputCheck CheckMatchInputs(const std::wstring& folderText, const std::wstring& playlistText);

// "Invalid Lyrics folder." or "Invalid Playlist File."; empty for Passed.
std::wstring_view InputCheckMessage(InputCheck check);
inline constexpr std::wstring_view kInputCheckCaption = L"Invalid";

struct MatchRequest {
    std::wstring lyricsFolder;  // as typed
    std::wstring playlistPath;  // as typed
    std::wstring reportFolder;  // where the unmatch list goes
    std::function<LocalTime()> clock = CurrentLocalTime;
};

struct MatchSummary {
    std::wstring reportPath;
    MatchOutcome matchOutcome;
    std::int64_t titleCount = 0;
    std::int64_t textFileCount = 0;
    std::int64_t unmatchedTitles = 0;  // as the list names them
    std::int64_t unmatchedFiles = 0;
    PlayingTime playingTime;
};

// Reads the playlist, lists the folder, matches and writes the unmatch list. A playlist that cannot
// be read, a folder that cannot be listed or a list that cannot be written is a failure naming the
// file and the reason; no list is left behind then.
Result<MatchSummary> RunMatch(const MatchRequest& request);

}  // namespace lyrics::match
