#include "match/match_run.h"

#include <algorithm>
#include <new>

#include "common/folder_listing.h"
#include "common/path_text.h"
#include "match/playlist_names.h"
#include "match/playlist_reader.h"

namespace lyrics::match {

namespace {

bool SpacesOnly(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c == L' '; });
}

Result<MatchSummary> RunMatchSteps(const MatchRequest& request);

}  // namespace

InputCheck CheckMatchInputs(const std::wstring& folderText, const std::wstring& playlistText) {
    if (!FolderExists(folderText)) return InputCheck::InvalidLyricsFolder;
    if (SpacesOnly(folderText)) return InputCheck::InvalidLyricsFolder;
    return CheckPlaylistInput(playlistText);
}

bool HasPlaylistExtension(const std::wstring& path) { return PlaylistTypeByExtension(path) != PlaylistType::Unknown; }

InputCheck CheckPlaylistInput(const std::wstring& playlistText) {
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

std::wstring InputCheckReason(InputCheck check, const std::wstring& folderText, const std::wstring& playlistText) {
    if (check == InputCheck::Passed) return {};
    const std::error_code failure = LookUpFailure(check == InputCheck::InvalidLyricsFolder ? folderText : playlistText);
    return failure ? ReasonText(failure) : std::wstring();
}

Result<MatchSummary> RunMatch(const MatchRequest& request) {
    try {
        return RunMatchSteps(request);
    } catch (const std::bad_alloc&) {
        return Failure{L"There is not enough memory to match the playlist \"" + DisplayPath(request.playlistPath) +
                       L"\" against the lyrics folder \"" + DisplayPath(request.lyricsFolder) + L"\"."};
    }
}

namespace {

Result<MatchSummary> RunMatchSteps(const MatchRequest& request) {
    Result<Playlist> playlist = ReadPlaylist(request.playlistPath);
    if (!playlist) return playlist.failure();
    const PlayingTime playingTime = SplitPlayingTime(playlist->totalSeconds);

    Result<LyricsFolder> folder = ListLyricsFolder(request.lyricsFolder);
    if (!folder) return folder.failure();

    const MatchOutcome matchOutcome = MatchTitles(playlist->playlistTitles.Texts(), folder->lyricsFileNames);
    const UnmatchListContent content{playlist->playlistTitles.Texts(),
                                     folder->lyricsFileNames,
                                     matchOutcome,
                                     playlist->titleCount,
                                     folder->textFileCount,
                                     playingTime,
                                     request.playlistPath,
                                     request.lyricsFolder};
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

}  // namespace

}  // namespace lyrics::match
