#include "cli/lyrics_cli.h"

#include <new>

#include "cli/platform_commands.h"
#include "match/playlist_names.h"
#include "version.h"

namespace lyrics::cli {

namespace {

std::wstring UsageText() {
    return L"Usage:\n"
           L"  lyrics match --folder DIR --playlist FILE [--out DIR]\n"
           L"      Audits the lyrics folder DIR against the Winamp playlist FILE (" +
           match::PlaylistExtensionList(L", ") +
           L") and\n"
           L"      writes the unmatch list \"UnMatch dd-mm-yyyy hh.mm.ss.txt\" into --out (default: the\n"
           L"      current folder); a list already there under that name is kept and the new one is named\n"
           L"      \"... (2).txt\", \"(3)\" and so on. Prints the list's full path.\n"
           L"  lyrics titles FILE\n"
           L"      Prints the titles of the playlist FILE as the matcher reads them, then their count and\n"
           L"      total length.\n"
           L"  lyrics caption [CAPTION...]\n"
           L"      Prints what Orlisk reads from each Winamp window caption (or from each line of\n"
           L"      standard input when none is given): \"Title<TAB>title\", \"NoTitle<TAB>\" or\n"
           L"      \"Skipped<TAB>\".\n" +
           PlatformUsageText() +
           L"  lyrics --help | --version\n"
           L"\n"
           L"Exit status: 0 done; 1 a file could not be read or written; 2 the inputs or the command\n"
           L"line are wrong.\n";
}

int RunCommand(const std::vector<std::wstring>& args, CliIo& io) {
    if (args.empty()) {
        io.Err(UsageText());
        return kExitBadInput;
    }
    const std::wstring& command = args.front();
    const std::vector<std::wstring> rest(args.begin() + 1, args.end());
    if (command == L"--help" || command == L"-h" || command == L"help") {
        io.Out(UsageText());
        return kExitOk;
    }
    if (command == L"--version") {
        io.Out(L"lyrics " LYRICS_VERSION_W L"\n");
        return kExitOk;
    }
    if (command == L"match") return MatchCommand(rest, io);
    if (command == L"titles") return TitlesCommand(rest, io);
    if (command == L"caption") return CaptionCommand(rest, io);
    if (const std::optional<int> exitCode = RunPlatformCommand(command, rest, io)) return *exitCode;
    io.Err(L"lyrics: unknown command \"" + command + L"\".\n\n");
    io.Err(UsageText());
    return kExitBadInput;
}

}  // namespace

int RunLyrics(const std::vector<std::wstring>& args, CliIo& io) {
    int exitCode = kExitOk;
    try {
        exitCode = RunCommand(args, io);
    } catch (const std::bad_alloc&) {
        // What the command held is freed by now, so the message itself finds room.
        io.Err(L"lyrics: there is not enough memory to finish the command; what it wrote is incomplete.\n");
        return kExitFailure;
    }
    // Output cut off by a full disk must not pass for a finished command.
    if (const std::wstring lost = io.FinishOut(); !lost.empty()) {
        io.Err(L"lyrics: standard output could not be written: " + lost + L".\n");
        return kExitFailure;
    }
    return exitCode;
}

}  // namespace lyrics::cli
