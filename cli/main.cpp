#include <string>
#include <vector>

#include "cli/lyrics_cli.h"
#include "common/text_codec.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    lyrics::cli::ConsoleIo io;
    return lyrics::cli::RunLyrics(args, io);
}
#else
#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // A match run frees big blocks (the playlist's bytes) before it makes new ones (the folder's
    // names); kept in the process rather than handed back, that memory is used again instead of
    // being faulted in afresh, which on a big folder is a tenth of the run.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i) args.push_back(lyrics::DecodeUtf8Lenient(argv[i]));
    lyrics::cli::ConsoleIo io;
    return lyrics::cli::RunLyrics(args, io);
}
#endif
