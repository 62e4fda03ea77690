// lyrics match --folder DIR --playlist FILE [--out DIR]
#include <filesystem>
#include <optional>

#include "cli/lyrics_cli.h"
#include "common/path_text.h"
#include "common/result.h"
#include "match/match_run.h"

namespace lyrics::cli {

namespace {

struct MatchOptions {
    std::optional<std::wstring> folder, playlist, out;
};

// The options, or the reason they are wrong.
Result<MatchOptions> ParseMatchOptions(const std::vector<std::wstring>& args) {
    MatchOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& name = args[i];
        std::optional<std::wstring>* target = name == L"--folder"     ? &options.folder
                                              : name == L"--playlist" ? &options.playlist
                                              : name == L"--out"      ? &options.out
                                                                      : nullptr;
        if (target == nullptr) return Failure{L"unknown option \"" + name + L"\""};
        if (i + 1 >= args.size()) return Failure{L"option " + name + L" needs a value"};
        if (target->has_value()) return Failure{L"option " + name + L" is given twice"};
        *target = args[++i];
    }
    if (!options.folder) return Failure{L"--folder DIR is missing"};
    if (!options.playlist) return Failure{L"--playlist FILE is missing"};
    return options;
}

std::wstring AbsoluteFolder(const std::optional<std::wstring>& out) {
    std::error_code error;
    const std::filesystem::path folder = out ? PathFromText(*out) : std::filesystem::current_path(error);
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    return TextFromPath(error ? folder : absolute);
}

}  // namespace

int MatchCommand(const std::vector<std::wstring>& args, CliIo& io) {
    const Result<MatchOptions> parsed = ParseMatchOptions(args);
    if (!parsed) {
        io.Err(L"lyrics match: " + parsed.failure().message +
               L".\nUsage: lyrics match --folder DIR --playlist FILE [--out DIR]\n");
        return kExitBadInput;
    }
    const MatchOptions& options = *parsed;

    const match::InputCheck check = match::CheckMatchInputs(*options.folder, *options.playlist);
    if (check != match::InputCheck::Passed) {
        const std::wstring& offending = check == match::InputCheck::InvalidLyricsFolder ? *options.folder : *options.playlist;
        io.Err(std::wstring(match::InputCheckMessage(check)) + L" (\"" + offending + L"\")\n");
        return kExitBadInput;
    }

    match::MatchRequest request;
    request.lyricsFolder = *options.folder;
    request.playlistPath = *options.playlist;
    request.reportFolder = AbsoluteFolder(options.out);
    const Result<match::MatchSummary> summary = match::RunMatch(request);
    if (!summary) {
        io.Err(L"lyrics match: " + summary.failure().message + L"\n");
        return kExitFailure;
    }
    io.Out(summary->reportPath + L"\n");
    return kExitOk;
}

}  // namespace lyrics::cli
