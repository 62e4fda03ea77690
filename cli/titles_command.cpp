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
    std::wstring text;
    for (const std::wstring& title : playlist->playlistTitles.Texts()) {
        if (title.empty()) continue;
        text += title;
        text += L'\n';
    }
    const match::PlayingTime time = match::SplitPlayingTime(playlist->totalSeconds);
    text += L"titles: " + std::to_wstring(playlist->titleCount) + L"\n";
    text += L"length: " + std::to_wstring(time.hours) + L":" + std::to_wstring(time.minutes) + L":" +
            std::to_wstring(time.seconds) + L"\n";
    io.Out(text);
    return kExitOk;
}

}  // namespace lyrics::cli
