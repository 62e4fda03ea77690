// ParsePlaylist on arbitrary bytes, as each of the three types: it must neither crash nor hang,
// and what it gives must hold together.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/text_decoding.h"
#include "match/playlist_reader.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "ParsePlaylist: %s\n", what);
        std::abort();
    }
}

}  // namespace

// The first byte chooses the type, the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    constexpr lyrics::match::PlaylistType kTypes[] = {lyrics::match::PlaylistType::Pls, lyrics::match::PlaylistType::M3u,
                                                      lyrics::match::PlaylistType::B4s};
    const lyrics::match::PlaylistType type = kTypes[data[0] % 3];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const lyrics::Result<lyrics::match::Playlist> playlist = lyrics::match::ParsePlaylist(bytes, type, L"fuzz");
    if (!playlist) {
        Check(type == lyrics::match::PlaylistType::B4s, "only a Winamp 3 playlist can be refused");
        return 0;
    }
    const std::size_t slots = lyrics::FileText(bytes).LineCount();  // lines of the decoded text
    Check(playlist->playlistTitles.size() == slots, "one slot per line");
    if (type != lyrics::match::PlaylistType::B4s) {
        Check(playlist->titleCount >= 0 && static_cast<std::size_t>(playlist->titleCount) <= slots,
              "title lines counted beyond the lines");
    }
    std::size_t characters = 0;
    for (const std::wstring& title : playlist->playlistTitles) characters += title.size();
    Check(characters <= bytes.size(), "titles hold more characters than the file");
    return 0;
}
