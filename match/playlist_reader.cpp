#include "match/playlist_reader.h"

#include <algorithm>
#include <new>
#include <optional>

#include "common/file_io.h"
#include "common/line_source.h"
#include "common/lower_case.h"
#include "common/number_text.h"
#include "common/path_text.h"
#include "common/streamed_text.h"
#include "common/text_decoding.h"
#include "match/char_refs.h"
#include "match/playlist_names.h"

namespace lyrics::match {

namespace {

constexpr auto kNotFound = std::wstring::npos;

std::wstring LowerPrefix(std::wstring_view line, std::size_t count) {
    return LowerCase(line.substr(0, std::min(count, line.size())));
}

// Keeps the text after the first `mark` at or after 0-based index `from`, or the whole line. In
// place, so that a huge line is never held twice.
void CutAfter(std::wstring& line, wchar_t mark, std::size_t from) {
    const std::size_t at = line.find(mark, from);
    if (at != kNotFound) line.erase(0, at + 1);
}

// A length in seconds added to the total, rounding the sum; nothing when the text is no number
// or the sum leaves 32 bits.
void AddSeconds(std::int32_t& totalSeconds, std::wstring_view lengthText) {
    const std::optional<double> value = ReadsAsNumber(lengthText);
    if (!value) return;
    if (const auto sum = RoundToInt32(static_cast<double>(totalSeconds) + *value)) totalSeconds = *sum;
}

// A length in milliseconds, rounded to whole seconds on its own, then added.
void AddMilliseconds(std::int32_t& totalSeconds, std::wstring_view lengthText) {
    const std::optional<double> value = ReadsAsNumber(lengthText);
    if (!value) return;
    const auto seconds = RoundToInt32(*value / 1000.0);
    if (!seconds) return;
    if (const auto sum = CheckedAdd(totalSeconds, *seconds)) totalSeconds = *sum;
}

class PlaylistWalk {
public:
    PlaylistWalk(LineSource& lines, Playlist& playlist) : lines_(lines), playlist_(playlist) {}

    void Pls() {
        lines_.SkipLine();
        std::size_t slot = 1;
        while (!lines_.AtEndOfStream()) {
            lines_.SkipLine();
            ReadInto(slot);
            std::wstring& title = Slot(slot);
            if (LowerPrefix(title, 5) == L"title") {
                CutAfter(title, L'=', 4);
                ++playlist_.titleCount;
            } else {
                title.clear();
            }
            if (std::optional<std::wstring> lengthLine = lines_.ReadLine()) {
                LowerCaseInPlace(*lengthLine);
                if (!lengthLine->empty() && lengthLine->find(L"length") != kNotFound) {
                    const std::size_t equals = lengthLine->find(L'=');
                    if (equals != kNotFound)
                        AddSeconds(playlist_.totalSeconds, std::wstring_view(*lengthLine).substr(equals + 1));
                }
            }
            ++slot;
        }
    }

    void M3u() {
        lines_.SkipLine();
        std::size_t slot = 1;
        while (!lines_.AtEndOfStream()) {
            ReadInto(slot);
            std::wstring& title = Slot(slot);
            if (LowerPrefix(title, 8) == L"#extinf:") {
                const std::size_t comma = title.find(L',', 4);
                if (comma == kNotFound) {
                    ++playlist_.titleCount;  // the whole line stands as the title; no length to cut
                } else {
                    AddSeconds(playlist_.totalSeconds, std::wstring_view(title).substr(8, comma - 8));
                    title.erase(0, comma + 1);
                    ++playlist_.titleCount;
                }
            } else {
                title.clear();
            }
            lines_.SkipLine();
            ++slot;
        }
    }

    // The header of three lines and the entry count of the fourth must be there; after that the
    // walk never fails.
    Status B4s(const std::wstring& path) {
        for (int header = 0; header < 3; ++header) {
            if (!lines_.SkipLine()) return ShortB4s(path);
        }
        const std::optional<std::wstring> countLine = lines_.ReadLine();
        if (!countLine) return ShortB4s(path);
        const std::size_t open = countLine->find(L"=\"");
        const std::size_t close = open == kNotFound ? kNotFound : countLine->find(L'"', open + 2);
        if (close == kNotFound) {
            return Failure{L"The playlist \"" + DisplayPath(path) +
                           L"\" could not be read: its fourth line holds no quoted entry count (such as num_entries=\"12\")."};
        }
        const std::optional<double> count = ReadsAsNumber(std::wstring_view(*countLine).substr(open + 2, close - open - 2));
        const std::optional<std::int32_t> rounded = count ? RoundToInt32(*count) : std::nullopt;
        playlist_.titleCount = rounded ? *rounded : 0;

        std::size_t slot = 1;
        while (!lines_.AtEndOfStream()) {
            lines_.SkipLine();
            ReadInto(slot);
            std::wstring& name = Slot(slot);
            if (const std::size_t tag = name.find(L"<Name>"); tag != kNotFound) {
                const std::size_t start = tag + 6;
                if (const std::size_t end = name.find(L"</Name>", start); end != kNotFound) name.erase(end).erase(0, start);
                ++slot;
            } else {
                name.clear();
            }
            if (const std::optional<std::wstring> lengthLine = lines_.ReadLine()) AddB4sLength(*lengthLine);
            lines_.SkipLine();
        }

        return Status();
    }

    // The slots of a .b4s up to the stated entry count have their references decoded.
    void DecodeB4sTitles() {
        const std::size_t decoded = static_cast<std::size_t>(
            std::clamp<std::int64_t>(playlist_.titleCount, 0, static_cast<std::int64_t>(playlist_.playlistTitles.size())));
        std::vector<std::wstring>& titles = playlist_.playlistTitles.Texts();
        for (std::size_t k = 0; k < titles.size() && playlist_.playlistTitles.SlotOf(k) < decoded; ++k) {
            std::wstring& title = titles[k];
            if (title.find(L'&') != kNotFound) title = DecodeCharRefs(title);  // no "&", no reference: no copy
        }
    }

private:
    static Failure ShortB4s(const std::wstring& path) {
        return Failure{L"The playlist \"" + DisplayPath(path) +
                       L"\" could not be read: it has fewer than four lines, so it holds no entry count."};
    }

    // The value of a length line is cut at a fixed count: the position of "</Length>" less 15, which
    // is the value's length only when the line is indented by six characters.
    void AddB4sLength(const std::wstring& lengthLine) {
        const std::size_t tag = lengthLine.find(L"<Length>");
        if (tag == kNotFound) return;
        const std::size_t end = lengthLine.find(L"</Length>");
        if (end == kNotFound || end < 14) return;
        const std::size_t start = tag + 8;
        if (start > lengthLine.size()) return;
        AddMilliseconds(playlist_.totalSeconds, std::wstring_view(lengthLine).substr(start, end - 14));
    }

    std::wstring& Slot(std::size_t slot) {
        static thread_local std::wstring beyond;  // slots past the table: writes there are dropped
        if (slot == 0 || slot > playlist_.playlistTitles.size()) {
            beyond.clear();
            return beyond;
        }
        return playlist_.playlistTitles.Write(slot - 1);
    }

    // A line read past the end leaves the slot as it was.
    void ReadInto(std::size_t slot) {
        if (std::optional<std::wstring> line = lines_.ReadLine()) Slot(slot) = std::move(*line);
    }

    LineSource& lines_;
    Playlist& playlist_;
};

}  // namespace

PlaylistType PlaylistTypeOf(std::wstring_view path) {
    if (const PlaylistType named = PlaylistTypeByExtension(path); named != PlaylistType::Unknown) return named;
    // The dot is not part of this test: the last three characters against each name of three letters.
    const std::wstring ending = LowerCase(path.substr(path.size() - std::min<std::size_t>(3, path.size())));
    for (const PlaylistKind& kind : kPlaylistKinds) {
        if (kind.extension.size() == 4 && kind.extension.substr(1) == ending) return kind.type;
    }
    return PlaylistType::Unknown;
}

namespace {

// The walk of the type over the lines; the slots number the lines, known once all are taken.
Result<Playlist> ParseLines(LineSource& lines, PlaylistType type, const std::wstring& path) {
    Playlist playlist;
    playlist.playlistTitles = TitleSlots(TitleSlots::kUncounted);
    PlaylistWalk walk(lines, playlist);
    switch (type) {
        case PlaylistType::Pls:
            walk.Pls();
            break;
        case PlaylistType::M3u:
            walk.M3u();
            break;
        case PlaylistType::B4s:
            if (const Status header = walk.B4s(path); !header) return header.failure();
            break;
        case PlaylistType::Unknown:
            break;
    }
    lines.ReadAll();
    playlist.playlistTitles.Count(lines.Line());
    if (type == PlaylistType::B4s) walk.DecodeB4sTitles();
    return playlist;
}

}  // namespace

Result<Playlist> ParsePlaylist(std::string_view bytes, PlaylistType type, const std::wstring& path) {
    const FileText text(bytes);
    LineSource lines = text.Lines();
    return ParseLines(lines, type, path);
}

Result<Playlist> ReadPlaylist(const std::wstring& path) {
    const PlaylistType type = PlaylistTypeOf(path);
    try {
        // Read as it is walked: memory follows the titles kept, not the size of the file.
        Result<StreamedText> text = StreamedText::Open(path, L"playlist");
        if (!text) return text.failure();
        // The walk of a .pls or .m3u starts by skipping its header line; in a file without a single
        // character that skip fails before any entry is taken up, so the file holds no playlist.
        if ((type == PlaylistType::Pls || type == PlaylistType::M3u) && text->TextSize() == 0) {
            return Failure{L"The playlist \"" + DisplayPath(path) + L"\" could not be read: it is empty."};
        }
        Result<LineSource> lines = text->Lines();
        if (!lines) return lines.failure();
        Result<Playlist> playlist = ParseLines(*lines, type, path);
        if (lines->failure()) return *lines->failure();
        return playlist;
    } catch (const std::bad_alloc&) {
        return OutOfMemoryFailure(L"playlist", path);
    }
}

}  // namespace lyrics::match
