#include "bench/song_names.h"

#include <algorithm>
#include <array>
#include <random>
#include <string_view>

namespace lyrics::match::bench {

namespace {

constexpr std::array<std::wstring_view, 24> kArtists = {
    L"The Beatles", L"Ábba",          L"Queen",          L"Björk",          L"Radiohead",     L"Édith Piaf",
    L"Nina Simone", L"Daft Punk",     L"Portishead",     L"Sigur Rós",      L"Miles Davis",   L"Motörhead",
    L"Kraftwerk",   L"Joni Mitchell", L"Massive Attack", L"Blondie",        L"Nirvana",       L"Stromae",
    L"Røyksopp",    L"Fleetwood Mac", L"Prince",         L"Ólafur Arnalds", L"Talking Heads", L"Air"};

constexpr std::array<std::wstring_view, 32> kWords = {
    L"Blue",  L"Morning", L"River", L"Heart",  L"Night",   L"Summer", L"Rain",  L"Dancing", L"Light",  L"Shadow", L"Fire",
    L"Dream", L"Street",  L"Ocean", L"Golden", L"Silence", L"Love",   L"Train", L"Café",    L"Garden", L"Winter", L"Moon",
    L"Road",  L"Échos",   L"Home",  L"Stars",  L"Glass",   L"Angel",  L"Money", L"Storm",   L"Time",   L"Kiss"};

// Another letter case of the same name, as a folder typed by hand has it.
std::wstring OtherCase(std::wstring name, std::uint64_t which) {
    for (wchar_t& c : name) {
        if (which % 2 == 0) {
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
            if (c >= 0xE0 && c <= 0xFE && c != 0xF7) c = static_cast<wchar_t>(c - 32);
        } else {
            if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
            if (c >= 0xC0 && c <= 0xDE && c != 0xD7) c = static_cast<wchar_t>(c + 32);
        }
    }
    return name;
}

}  // namespace

std::wstring SongName(std::uint64_t i) {
    std::wstring name(kArtists[i % kArtists.size()]);
    name += L" - ";
    std::uint64_t rest = i / kArtists.size();
    name += kWords[rest % kWords.size()];
    rest /= kWords.size();
    name += L' ';
    name += kWords[(rest + 7) % kWords.size()];
    rest /= kWords.size();
    if (rest > 0) {
        name += L" (Take ";
        name += std::to_wstring(rest);
        name += L')';
    }
    return name;
}

MatchTables MakeMatchTables(std::size_t count, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    MatchTables tables;
    tables.playlistTitles.reserve(count);
    tables.lyricsFileNames.reserve(count);
    std::vector<std::wstring> matchedNames;
    std::uint64_t next = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t roll = random() % 100;
        if (roll < 3) {
            tables.playlistTitles.emplace_back();  // a non-title line
            continue;
        }
        std::wstring title = SongName(next++);
        if (roll < 50) {
            matchedNames.push_back(roll < 15 ? OtherCase(title, random()) : title);
        }
        tables.playlistTitles.push_back(std::move(title));
    }
    // Files without a title fill the folder up to count names.
    std::vector<std::wstring> names = std::move(matchedNames);
    while (names.size() < count) names.push_back(SongName(next++));
    // A folder lists its files in an order of its own, not the playlist's.
    std::shuffle(names.begin(), names.end(), random);
    tables.lyricsFileNames = std::move(names);
    return tables;
}

}  // namespace lyrics::match::bench
