#include "match/title_matching.h"

#include <algorithm>

#include "common/folder_listing.h"
#include "common/lower_case.h"
#include "match/free_name_index.h"

namespace lyrics::match {

namespace {

bool AllBlank(const std::vector<std::wstring>& slots) {
    return std::all_of(slots.begin(), slots.end(), [](const std::wstring& slot) { return slot.empty(); });
}

}  // namespace

bool IsTextFileName(std::wstring_view name) {
    const std::wstring_view ending = name.substr(name.size() - std::min<std::size_t>(4, name.size()));
    // Plain ASCII endings, nearly every name, are told without asking the system: of ASCII
    // characters only "T" and "X" lower-case to "t" and "x", and nothing lower-cases to ".".
    if (std::all_of(ending.begin(), ending.end(), [](wchar_t c) { return c < 0x80; })) {
        return ending.size() == 4 && ending[0] == L'.' && (ending[1] | 0x20) == L't' && (ending[2] | 0x20) == L'x' &&
               (ending[3] | 0x20) == L't';
    }
    return LowerCase(ending) == L".txt";
}

LyricsFolder LyricsFolderFromNames(std::vector<std::wstring> fileNames) {
    // The names become the table in place: a text file's base name moves down to the next text
    // slot, never past its own place, and what is left behind is blanked.
    LyricsFolder folder;
    folder.lyricsFileNames = std::move(fileNames);
    std::vector<std::wstring>& slots = folder.lyricsFileNames;
    std::size_t textFiles = 0;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!IsTextFileName(slots[i])) continue;
        slots[i].resize(slots[i].size() - 4);
        if (textFiles != i) slots[textFiles] = std::move(slots[i]);
        ++textFiles;
    }
    for (std::size_t i = textFiles; i < slots.size(); ++i) slots[i] = std::wstring();
    folder.textFileCount = static_cast<std::int64_t>(textFiles);
    return folder;
}

Result<LyricsFolder> ListLyricsFolder(const std::wstring& folder) {
    Result<std::vector<std::wstring>> names = ListFolderFiles(folder);
    if (!names) return names.failure();
    return LyricsFolderFromNames(std::move(*names));
}

MatchOutcome MatchTitles(std::vector<std::wstring>& playlistTitles, std::vector<std::wstring>& lyricsFileNames) {
    std::vector<FreeNameIndex::Taken> taken;
    {
        FreeNameIndex index(lyricsFileNames);
        taken = index.TakeFirstFree(playlistTitles);
    }
    // Only now that the index, which reads the names, is gone.
    for (const auto [title, name] : taken) {
        playlistTitles[title].clear();
        lyricsFileNames[name].clear();
    }
    return MatchOutcome{AllBlank(playlistTitles), AllBlank(lyricsFileNames)};
}

}  // namespace lyrics::match
