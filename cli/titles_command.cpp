// lyrics titles FILE
#include "cli/lyrics_cli.h"
#include "match/match_run.h"
#include "match/playlist_names.h"
#include "match/playlist_reader.h"
#include "match/unmatch_list.h"

namespace lyrics::cli {

int TitlesCommand(const std::vector<std::wstring>& args, CliIo& io) {
    if (args.size() != 1) {
        io.Err(L"Usage: lyrics titles FILE\n");
        return kExitBadInput;
    }
    const std::wstring& path = args.front();
    // The name must pass the check match makes, so that titles shows only what match would read. A
    // file that is not there, or not a file, is left to the read, which says why (exit 1).
    if (!match::HasPlaylistExtension(path)) {
        io.Err(std::wstring(match::InputCheckMessage(match::InputCheck::InvalidPlaylistFile)) + L" (\"" + path + L"\")\n" +
               L"lyrics titles: \"" + path + L"\" does not end in " + match::PlaylistExtensionList() +
               L", so no title is read from it.\n");
        return kExitBadInput;
    }
    const Result<match::Playlist> playlist = match::ReadPlaylist(path);
    if (!playlist) {
        io.Err(L"lyrics titles: " + playlist.failure().message + L"\n");
        return kExitFailure;
    }
    // Written in batches, so that memory does not grow with the number of titles; a title longer
    // than a batch goes out on its own, never copied.
    constexpr std::size_t kBatch = 1 << 16;
    std::wstring batch;
    for (const std::wstring& title : playlist->playlistTitles.Texts()) {
        if (title.empty()) continue;
        if (batch.size() + title.size() >= kBatch && !batch.empty()) {
            io.Out(batch);
            batch.clear();
        }
        if (title.size() >= kBatch) {
            io.Out(title);
            io.Out(L"\n");
            continue;
        }
        batch += title;
        batch += L'\n';
    }
    const match::PlayingTime time = match::SplitPlayingTime(playlist->totalSeconds);
    batch += L"titles: " + std::to_wstring(playlist->titleCount) + L"\n";
    batch += L"length: " + std::to_wstring(time.hours) + L":" + std::to_wstring(time.minutes) + L":" +
             std::to_wstring(time.seconds) + L"\n";
    io.Out(batch);
    return kExitOk;
}

}  // namespace lyrics::cli
