#include "common/lower_case.h"

#include <windows.h>

#include <algorithm>

namespace lyrics {

namespace {

// The system's mappings take a DWORD length and map one UTF-16 unit to one, as the rest of the
// program assumes; texts beyond that length are mapped in pieces.
template <typename Mapping>
void MapInPieces(std::wstring& text, Mapping map) {
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t done = 0; done < text.size();) {
        const std::size_t take = std::min(kPiece, text.size() - done);
        map(text.data() + done, static_cast<DWORD>(take));
        done += take;
    }
}

}  // namespace

void LowerCaseInPlace(std::wstring& text) { MapInPieces(text, CharLowerBuffW); }

std::wstring UpperCase(std::wstring_view text) {
    std::wstring out(text);
    MapInPieces(out, CharUpperBuffW);
    return out;
}

}  // namespace lyrics
