// lyrics caption [CAPTION...]: what Orlisk reads from a Winamp caption, one line per caption, so
// a user can see why a song's lyrics do not open.
#include "cli/lyrics_cli.h"
#include "orlisk/caption_parser.h"

namespace lyrics::cli {

namespace {

std::wstring CaptionLine(std::wstring_view caption) {
    const orlisk::CaptionResult result = orlisk::TitleFromCaption(caption);
    switch (result.kind) {
        case orlisk::CaptionKind::Title:
            return L"Title\t" + result.title + L"\n";
        case orlisk::CaptionKind::Skipped:
            return L"Skipped\t\n";
        case orlisk::CaptionKind::NoTitle:
            break;
    }
    return L"NoTitle\t\n";
}

}  // namespace

int CaptionCommand(const std::vector<std::wstring>& args, CliIo& io) {
    if (!args.empty()) {
        for (const std::wstring& caption : args) io.Out(CaptionLine(caption));
        return kExitOk;
    }
    // Written line by line, so that a pipe shows each answer as its caption arrives.
    while (const std::optional<std::wstring> line = io.ReadLine()) io.Out(CaptionLine(*line));
    return kExitOk;
}

}  // namespace lyrics::cli
