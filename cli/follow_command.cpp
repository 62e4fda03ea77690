#include "cli/follow_command.h"

#include <filesystem>

#include "cli/lyrics_cli.h"
#include "cli/player_table.h"
#include "common/path_text.h"
#include "orlisk/player_song.h"

namespace lyrics::cli {

namespace {

// Reads the value of an option that takes one into target.
Status TakeValue(const std::vector<std::wstring>& args, std::size_t& i, std::optional<std::wstring>& target) {
    const std::wstring& name = args[i];
    if (i + 1 >= args.size()) return Failure{L"option " + name + L" needs a value"};
    if (target) return Failure{L"option " + name + L" is given twice"};
    target = args[++i];
    if (target->empty()) return Failure{L"option " + name + L" needs a value; it was given as \"\""};
    return {};
}

bool FileExists(const std::wstring& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(PathFromText(path), error);
}

std::wstring PlayerNames(const PlayerTable& table) {
    std::wstring names;
    for (const PlayerEntry& entry : table.Entries()) names += (names.empty() ? L"" : L", ") + entry.player;
    return names;
}

// Why nothing plays, or empty when the chosen player plays a song.
std::wstring WhyNothingPlays(const PlayerTable& table, const PlayingOptions& options) {
    if (table.Entries().empty()) return L"no media player is on the session bus (MPRIS)";
    const PlayerEntry* entry = table.Choose(options.player);
    if (entry == nullptr)
        return L"no player \"" + *options.player + L"\" is on the session bus (there: " + PlayerNames(table) + L")";
    if (!entry->Playing())
        return L"nothing plays (" + entry->player + L": " + (entry->status.empty() ? L"no status" : entry->status) + L")";
    if (!entry->song || !orlisk::NamesASong(*entry->song)) return entry->player + L" plays a song without a title";
    return {};
}

class Follower {
public:
    Follower(const FollowOptions& options, CliIo& io, LyricsOpener& opener)
        : options_(options), io_(io), opener_(opener), folder_(JoinPath(options.folder, L"")) {}

    // Shows the chosen player's song when it is another song; false when standard output is lost.
    bool ShowChange() {
        if (!tracker_.Changed(table_.ChosenSong(options_.player))) return true;
        const orlisk::PlayerLyrics lyrics = orlisk::ChoosePlayerLyrics(folder_, *tracker_.LastSong(), FileExists);
        if (!lyrics.path || !FileExists(*lyrics.path)) {
            io_.Out(L"no lyrics: " + lyrics.name + L"\n");
        } else if (!options_.open) {
            io_.Out(*lyrics.path + L"\n");
        } else if (const Status opened = opener_.Open(*lyrics.path); !opened) {
            io_.Err(L"lyrics follow: " + opened.failure().message + L"\n");
        }
        // Each line goes out as it is made: whoever reads it acts on the song now.
        return io_.FinishOut().empty();
    }

    PlayerTable& Table() { return table_; }

private:
    const FollowOptions& options_;
    CliIo& io_;
    LyricsOpener& opener_;
    const std::wstring folder_;
    PlayerTable table_;
    orlisk::PlayerSongTracker tracker_;
};

}  // namespace

Result<PlayingOptions> ParsePlayingOptions(const std::vector<std::wstring>& args) {
    PlayingOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != L"--player") return Failure{L"unknown option \"" + args[i] + L"\""};
        if (Status taken = TakeValue(args, i, options.player); !taken) return taken.failure();
    }
    return options;
}

Result<FollowOptions> ParseFollowOptions(const std::vector<std::wstring>& args) {
    FollowOptions options;
    std::optional<std::wstring> folder;
    bool print = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& name = args[i];
        Status taken;
        if (name == L"--folder") {
            taken = TakeValue(args, i, folder);
        } else if (name == L"--player") {
            taken = TakeValue(args, i, options.player);
        } else if (name == L"--open") {
            options.open = true;
        } else if (name == L"--print") {
            print = true;
        } else if (name == L"--editor") {
            options.editor = true;
        } else {
            return Failure{L"unknown option \"" + name + L"\""};
        }
        if (!taken) return taken.failure();
    }
    if (!folder) return Failure{L"--folder DIR is missing"};
    if (options.editor) options.open = true;  // an editor is a way of opening
    if (options.open && print) return Failure{L"--open (or --editor) and --print exclude each other"};
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(PathFromText(*folder), error);
    if (error || !std::filesystem::is_directory(path, error))
        return Failure{L"\"" + DisplayPath(*folder) + L"\" is not a folder"};
    options.folder = TextFromPath(path);
    return options;
}

int RunPlaying(const PlayingOptions& options, CliIo& io, PlayerWatch& watch) {
    const Result<std::vector<PlayerUpdate>> players = watch.Players();
    if (!players) {
        io.Err(L"lyrics playing: " + players.failure().message + L"\n");
        return kExitFailure;
    }
    PlayerTable table;
    for (const PlayerUpdate& update : *players) table.Apply(update);
    if (const std::wstring why = WhyNothingPlays(table, options); !why.empty()) {
        io.Err(L"lyrics playing: " + why + L".\n");
        return kExitFailure;
    }
    const std::optional<orlisk::PlayerSong> song = table.ChosenSong(options.player);
    io.Out(orlisk::LyricsNamesOf(*song).front() + L"\t" + song->player + L"\n");
    return kExitOk;
}

int RunFollow(const FollowOptions& options, CliIo& io, PlayerWatch& watch, LyricsOpener& opener) {
    const Result<std::vector<PlayerUpdate>> players = watch.Players();
    if (!players) {
        io.Err(L"lyrics follow: " + players.failure().message + L"\n");
        return kExitFailure;
    }
    Follower follower(options, io, opener);
    for (const PlayerUpdate& update : *players) follower.Table().Apply(update);
    if (players->empty()) io.Err(L"lyrics follow: no media player is on the session bus yet; waiting for one.\n");
    if (!follower.ShowChange()) return kExitFailure;
    for (;;) {
        WatchEvent event = watch.Next();
        switch (event.kind) {
            case WatchEvent::Kind::Update:
                follower.Table().Apply(event.update);
                break;
            case WatchEvent::Kind::Gone:
                follower.Table().Remove(event.update.player);
                break;
            case WatchEvent::Kind::ChildEnded:
                for (const std::wstring& failure : opener.Reap()) io.Err(L"lyrics follow: " + failure + L"\n");
                continue;
            case WatchEvent::Kind::End:
                if (!event.reason.empty()) io.Err(L"lyrics follow: " + event.reason + L"\n");
                return kExitOk;
        }
        if (!follower.ShowChange()) return kExitFailure;
    }
}

}  // namespace lyrics::cli
