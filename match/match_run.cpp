#include "match_run.h"

#include <algorithm>

#include "common/folder_listing.h"
#include "common/lower_case.h"
#include "playlist_names.h"
#include "playlist_reader.h"
#include "title_matching.h"

namespace lyrics {

namespace {

bool SpacesOnly(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c == L' '; });
}

bool HasPlaylistExtension(const std::wstring& path) {
    const std::wstring ending = LowerCase(std::wstring_view(path).substr(path.size() - std::min<std::size_t>(4, path.size())));
    return ending == L".pls" || ending == L".m3u" || ending == L".b4s" || match::EndsInM3u8(path);
}

std::int64_t NonBlankSlots(const std::vector<std::wstring>& slots) {
    return std::count_if(slots.begin(), slots.end(), [](const std::wstring& slot) { return !slot.empty(); });
}

}  // namespace

InputCheck CheckMatchInputs(const std::wstring& folderText, const std::wstring& playlistText) {
    if (!FolderExists(folderText)) return InputCheck::InvalidLyricsFolder;
    if (SpacesOnly(folderText)) return InputCheck::InvalidLyricsFolder;
    if (!FileExists(playlistText) || !HasPlaylistExtension(playlistText)) return InputCheck::InvalidPlaylistFile;
    return InputCheck::Passed;
}

std::wstring_view InputCheckMessage(InputCheck check) {
    switch (check) {
        case InputCheck::InvalidLyricsFolder:
            return L"Invalid Lyrics folder.";
        case InputCheck::InvalidPlaylistFile:
            return L"Invalid Playlist File.";
        case InputCheck::Passed:
            break;
    }
    return {};
}

Result<MatchSummary> RunMatch(const MatchRequest& request) {
    Result<Playlist> playlist = ReadPlaylist(request.playlistPath);
    if (!playlist) return playlist.failure();
    const PlayingTime playingTime = SplitPlayingTime(playlist->totalSeconds);

    Result<LyricsFolder> folder = ListLyricsFolder(request.lyricsFolder);
    if (!folder) return folder.failure();

    const std::uint8_t matchOutcome = MatchTitles(playlist->playlistTitles, folder->lyricsFileNames);
    const UnmatchListContent content{playlist->playlistTitles, folder->lyricsFileNames, matchOutcome,
                                     playlist->titleCount,     folder->textFileCount,   playingTime,
                                     request.playlistPath,     request.lyricsFolder};
    Result<std::wstring> reportPath = WriteUnmatchList(request.reportFolder, request.clock(), content);
    if (!reportPath) return reportPath.failure();

    MatchSummary summary;
    summary.reportPath = std::move(*reportPath);
    summary.matchOutcome = matchOutcome;
    summary.titleCount = playlist->titleCount;
    summary.textFileCount = folder->textFileCount;
    summary.unmatchedTitles = NonBlankSlots(playlist->playlistTitles);
    summary.unmatchedFiles = NonBlankSlots(folder->lyricsFileNames);
    summary.playingTime = playingTime;
    return summary;
}

}  // namespace lyrics
