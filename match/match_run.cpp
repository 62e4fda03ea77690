#include "match/match_run.h"

#include <algorithm>

#include "common/folder_listing.h"
#include "common/lower_case.h"
#include "match/playlist_names.h"
#include "match/playlist_reader.h"

namespace lyrics::match {

namespace {

bool SpacesOnly(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c == L' '; });
}

bool HasPlaylistExtension(const std::wstring& path) {
    const std::wstring ending = LowerCase(std::wstring_view(path).substr(path.size() - std::min<std::size_t>(4, path.size())));
    return ending == L".pls" || ending == L".m3u" || ending == L".b4s" || EndsInM3u8(path);
}

std::uint8_t OutcomeNumber(MatchOutcome outcome) {
    return static_cast<std::uint8_t>((outcome.allTitles ? 1 : 0) + (outcome.allFiles ? 2 : 0));
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

    const MatchOutcome matchOutcome = MatchTitles(playlist->playlistTitles, folder->lyricsFileNames);
    const UnmatchListContent content{playlist->playlistTitles, folder->lyricsFileNames, OutcomeNumber(matchOutcome),
                                     playlist->titleCount,     folder->textFileCount,   playingTime,
                                     request.playlistPath,     request.lyricsFolder};
    Result<WrittenUnmatchList> written = WriteUnmatchList(request.reportFolder, request.clock(), content);
    if (!written) return written.failure();

    MatchSummary summary;
    summary.reportPath = std::move(written->reportPath);
    summary.matchOutcome = matchOutcome;
    summary.titleCount = playlist->titleCount;
    summary.textFileCount = folder->textFileCount;
    summary.unmatchedTitles = written->listedTitles;
    summary.unmatchedFiles = written->listedFiles;
    summary.playingTime = playingTime;
    return summary;
}

}  // namespace lyrics::match
