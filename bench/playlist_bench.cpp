// The playlist reader on big playlists, from bytes in memory and from a file, and on bad input:
// one huge line, random bytes, a name line made of references.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>

#include "bench/playlist_texts.h"
#include "common/path_text.h"
#include "match/playlist_reader.h"

namespace lyrics::match::bench {

namespace {

const std::string& PlaylistOf(PlaylistType type, std::size_t entries) {
    static std::map<std::pair<PlaylistType, std::size_t>, std::string> made;
    auto [it, inserted] = made.try_emplace({type, entries});
    if (inserted) it->second = MakePlaylistBytes(type, entries);
    return it->second;
}

void ParseBytes(benchmark::State& state, PlaylistType type, const std::string& bytes) {
    const std::wstring path = L"bench";
    std::size_t slots = 0;
    for (auto _ : state) {
        Result<Playlist> playlist = ParsePlaylist(bytes, type, path);
        if (!playlist) {
            state.SkipWithError("the playlist did not parse");
            break;
        }
        slots = playlist->playlistTitles.size();
        benchmark::DoNotOptimize(playlist->totalSeconds);
    }
    state.counters["slots"] = static_cast<double>(slots);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

template <PlaylistType type>
void BM_ParsePlaylist(benchmark::State& state) {
    ParseBytes(state, type, PlaylistOf(type, static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_ParsePlaylist<PlaylistType::M3u>)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParsePlaylist<PlaylistType::Pls>)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParsePlaylist<PlaylistType::B4s>)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The same .m3u through ReadPlaylist: the file is read as well (from the page cache after the
// first iteration).
void BM_ReadPlaylistM3u(benchmark::State& state) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "lyrics-bench-1000000.m3u";
    {
        const std::string& bytes = PlaylistOf(PlaylistType::M3u, static_cast<std::size_t>(state.range(0)));
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
            if (out != nullptr) std::fclose(out);
            state.SkipWithError("could not write the playlist file");
            return;
        }
        std::fclose(out);
    }
    const std::wstring path = TextFromPath(file);
    for (auto _ : state) {
        Result<Playlist> playlist = ReadPlaylist(path);
        if (!playlist) {
            state.SkipWithError("the playlist could not be read");
            break;
        }
        benchmark::DoNotOptimize(playlist->totalSeconds);
    }
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}
BENCHMARK(BM_ReadPlaylistM3u)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Bad input: a playlist that is one line of 100 MB. A Winamp 3 playlist of one line is refused
// before any entry, so its huge line comes after the four header lines, as an entry's name.
template <PlaylistType type>
void BM_ParseOneHugeLine(benchmark::State& state) {
    static const std::string bytes = [] {
        std::string text(100u << 20, 'x');
        // Markers at the start, so that the line is taken up as a title or name, not skipped.
        const std::string_view start = type == PlaylistType::M3u   ? "#EXTINF:1,"
                                       : type == PlaylistType::Pls ? "Title1="
                                                                   : "<Name>";
        text.replace(0, start.size(), start);
        if (type == PlaylistType::M3u) return "#EXTM3U\r\n" + text;
        if (type == PlaylistType::Pls) return "[playlist]\r\nFile1=a.mp3\r\n" + text;
        return "<?xml?>\r\n<WinampXML>\r\n<!-- bench -->\r\n<playlist num_entries=\"1\">\r\n<entry>\r\n" + text;
    }();
    ParseBytes(state, type, bytes);
}
BENCHMARK(BM_ParseOneHugeLine<PlaylistType::M3u>)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseOneHugeLine<PlaylistType::Pls>)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseOneHugeLine<PlaylistType::B4s>)->Iterations(2)->Unit(benchmark::kMillisecond);

// Bad input: 50 MB of random bytes named .m3u.
void BM_ParseRandomBytesM3u(benchmark::State& state) {
    static const std::string bytes = [] {
        std::mt19937_64 random(7);
        std::string text(50u << 20, '\0');
        for (char& c : text) c = static_cast<char>(random() & 0xFF);
        return text;
    }();
    ParseBytes(state, PlaylistType::M3u, bytes);
}
BENCHMARK(BM_ParseRandomBytesM3u)->Iterations(2)->Unit(benchmark::kMillisecond);

// Bad input: a .b4s whose one name line is 10 MB of "&amp;".
void BM_ParseB4sReferenceLine(benchmark::State& state) {
    static const std::string bytes = [] {
        std::string text =
            "<?xml version=\"1.0\"?>\r\n<WinampXML>\r\n<!-- bench -->\r\n<playlist num_entries=\"1\">\r\n<entry>\r\n<Name>";
        for (std::size_t i = 0; i < (10u << 20) / 5; ++i) text += "&amp;";
        text += "</Name>\r\n      <Length>1000</Length>\r\n</entry>\r\n</playlist>\r\n</WinampXML>\r\n";
        return text;
    }();
    ParseBytes(state, PlaylistType::B4s, bytes);
}
BENCHMARK(BM_ParseB4sReferenceLine)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace lyrics::match::bench
