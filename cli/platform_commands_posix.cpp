#include "cli/mpris/mpris_commands.h"
#include "cli/platform_commands.h"

namespace lyrics::cli {

std::wstring PlatformUsageText() {
    return L"  lyrics playing [--player NAME]\n"
           L"      Prints the song a media player plays now (MPRIS on the session bus) as the lyrics file\n"
           L"      name it would open (\"Artist - Title\", or \"Title\") and the player: \"NAME<TAB>PLAYER\".\n"
           L"      The player is the one playing; --player picks org.mpris.MediaPlayer2.NAME. Exit 1 when\n"
           L"      nothing plays.\n"
           L"  lyrics follow --folder DIR [--open | --print] [--player NAME] [--editor]\n"
           L"      Follows the songs: for the song playing and for every new song after it, prints the\n"
           L"      path of its lyrics in DIR (--print, the default), or opens it with xdg-open (--open) or\n"
           L"      with $VISUAL or $EDITOR (--editor); prints \"no lyrics: NAME\" when there is no file.\n"
           L"      The player is the one playing, else the one that changed last. Ends on Ctrl-C or when\n"
           L"      the session bus goes away.\n";
}

std::optional<int> RunPlatformCommand(const std::wstring& command, const std::vector<std::wstring>& args, CliIo& io) {
    if (command == L"playing") return PlayingCommand(args, io);
    if (command == L"follow") return FollowCommand(args, io);
    return std::nullopt;
}

}  // namespace lyrics::cli
