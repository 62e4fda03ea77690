// Song titles and lyrics file names in the "Artist - Title" shape of a real collection, made
// deterministically so that every run of a benchmark sees the same tables.
//
// MakeMatchTables(n) gives n title slots and n file-name slots: about half of the titles have
// their file (a fifth of those in another letter case, some with accented capitals), the rest
// have none, and the files without a title are interleaved in listing order. A few title slots are
// blank, as the non-title lines of a playlist leave them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lyrics::match::bench {

struct MatchTables {
    std::vector<std::wstring> playlistTitles;
    std::vector<std::wstring> lyricsFileNames;
};

// The i-th song's "Artist - Title"; distinct for distinct i.
std::wstring SongName(std::uint64_t i);

MatchTables MakeMatchTables(std::size_t count, std::uint64_t seed = 1);

}  // namespace lyrics::match::bench
