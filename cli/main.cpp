#include <string>
#include <vector>

#include "common/text_codec.h"
#include "lyrics_cli.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    lyrics::cli::ConsoleIo io;
    return lyrics::cli::RunLyrics(args, io);
}
#else
int main(int argc, char** argv) {
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i) args.push_back(lyrics::DecodeUtf8Lenient(argv[i]));
    lyrics::cli::ConsoleIo io;
    return lyrics::cli::RunLyrics(args, io);
}
#endif
