// lyrics playing and lyrics follow on Linux: the command logic over MPRIS on the session bus.
#include <memory>

#include "cli/follow_command.h"
#include "cli/lyrics_cli.h"
#include "cli/mpris/mpris_commands.h"
#include "cli/mpris/mpris_watch.h"
#include "cli/mpris/process_opener.h"
#include "common/text_codec.h"

namespace lyrics::cli {

int PlayingCommand(const std::vector<std::wstring>& args, CliIo& io) {
    const Result<PlayingOptions> options = ParsePlayingOptions(args);
    if (!options) {
        io.Err(L"lyrics playing: " + options.failure().message + L".\n" + std::wstring(kPlayingUsage));
        return kExitBadInput;
    }
    Result<std::unique_ptr<mpris::MprisWatch>> watch = mpris::MprisWatch::Connect();
    if (!watch) {
        io.Err(L"lyrics playing: " + watch.failure().message + L"\n");
        return kExitFailure;
    }
    return RunPlaying(*options, io, **watch);
}

int FollowCommand(const std::vector<std::wstring>& args, CliIo& io) {
    const Result<FollowOptions> options = ParseFollowOptions(args);
    if (!options) {
        io.Err(L"lyrics follow: " + options.failure().message + L".\n" + std::wstring(kFollowUsage));
        return kExitBadInput;
    }
    std::optional<std::string> editor;
    if (options->editor && !(editor = mpris::ProcessOpener::EditorOfEnvironment())) {
        io.Err(L"lyrics follow: --editor needs $VISUAL or $EDITOR to name the editor.\n");
        return kExitBadInput;
    }
    Result<std::unique_ptr<mpris::MprisWatch>> watch = mpris::MprisWatch::Connect();
    if (!watch) {
        io.Err(L"lyrics follow: " + watch.failure().message + L"\n");
        return kExitFailure;
    }
    // The loop's signals are blocked from here on; the programs it opens start without that.
    const mpris::StopSignals& signals = (*watch)->WatchSignals();
    mpris::ProcessOpener opener(editor, signals.Previous());
    return RunFollow(*options, io, **watch, opener);
}

}  // namespace lyrics::cli
