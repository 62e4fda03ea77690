// lyrics titles FILE
#include "cli/lyrics_cli.h"
#include "match/playlist_reader.h"
#include "match/unmatch_list.h"

namespace lyrics::cli {

int TitlesCommand(const std::vector<std::wstring>& args, CliIo& io) {
    if (args.size() != 1) {
        io.Err(L"Usage: lyrics titles FILE\n");
        return kExitBadInput;
    }
    const std::wstring& path = args.front();
    if (match::PlaylistTypeOf(path) == match::PlaylistType::Unknown) {
        io.Err(L"lyrics titles: \"" + path + L"\" does not end in .pls, .m3u, .m3u8 or .b4s, so no title is read from it.\n");
    }
    const Result<match::Playlist> playlist = match::ReadPlaylist(path);
    if (!playlist) {
        io.Err(L"lyrics titles: " + playlist.failure().message + L"\n");
        return kExitFailure;
    }
    std::wstring text;
    for (const std::wstring& title : playlist->playlistTitles) {
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
