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
// is not made of spaces alone; a file exists at playlistText and its name ends, in any letter case,
// in an extension of kPlaylistKinds (".m3u", ".m3u8", ".pls", ".b4s"). The texts are taken as typed,
// untrimmed.
InputCheck CheckMatchInputs(const std::wstring& folderText, const std::wstring& playlistText);
// The playlist's part of that check alone: Passed or InvalidPlaylistFile.
InputCheck CheckPlaylistInput(const std::wstring& playlistText);
// The check's test of the name alone: one of the extensions of kPlaylistKinds at its end, in any case.
bool HasPlaylistExtension(const std::wstring& path);

// "Invalid Lyrics folder." or "Invalid Playlist File."; empty for Passed.
std::wstring_view InputCheckMessage(InputCheck check);
inline constexpr std::wstring_view kInputCheckCaption = L"Invalid";

// Why the check could not find the offending folder or file when the system gave a reason other
// than "not found" (a folder on the way that may not be entered: "Permission denied"); empty
// otherwise.
std::wstring InputCheckReason(InputCheck check, const std::wstring& folderText, const std::wstring& playlistText);

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
// file and the reason; no list is left behind then. Memory running out is a failure too.
Result<MatchSummary> RunMatch(const MatchRequest& request);

}  // namespace lyrics::match
