// Pairs playlist titles with the lyrics folder's ".txt" files, letter case ignored.
//
// The result is exactly that of comparing every title, in playlist order, with every file name, in
// listing order: a title takes the first equal file name not yet taken, and both slots are blanked.
// It is reached in linear time: each text is lower-cased once and an index from lower-cased name to
// its free slots answers each title.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/result.h"
#include "match/match_outcome.h"

namespace lyrics::match {

struct LyricsFolder {
    // One slot per file of the folder (subfolders left out); the first textFileCount hold the base
    // names of the ".txt" files in listing order, the rest are blank.
    std::vector<std::wstring> lyricsFileNames;
    std::int64_t textFileCount = 0;
};

// A name is a text file's when its last four characters, lower-cased, are ".txt".
bool IsTextFileName(std::wstring_view name);

// Builds the table from a folder's file names in listing order.
LyricsFolder LyricsFolderFromNames(std::vector<std::wstring> fileNames);

// Lists the folder at the text as typed. A folder that cannot be listed is a failure, never an
// empty table that would claim every file matched.
Result<LyricsFolder> ListLyricsFolder(const std::wstring& folder);

// Blanks every matched title and file name.
MatchOutcome MatchTitles(std::vector<std::wstring>& playlistTitles, std::vector<std::wstring>& lyricsFileNames);

}  // namespace lyrics::match
