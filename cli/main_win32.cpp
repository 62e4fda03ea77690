// lyrics.exe's entry point: the arguments as Windows gives them, wide.
#include <string>
#include <vector>

#include "cli/lyrics_cli.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    lyrics::cli::ConsoleIo io;
    return lyrics::cli::RunLyrics(args, io);
}
