#include "common/posix/listing_order.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "common/lower_case.h"
#include "common/prefetch.h"
#include "common/text_codec.h"

namespace lyrics {

namespace {

// In listing order the keys and names lie all over their buffers: each is fetched this many
// entries before it is read.
constexpr std::size_t kAhead = 8;

// The upper-case forms are kept as UTF-8, whose byte order is the order of the characters, at a
// quarter of the memory (decoded names hold no surrogates, so the encoding is one to one).
TextRun<char> UpperCaseForms(const TextRun<char>& names) {
    TextRun<char> upper;
    upper.Reserve(names.Characters() + names.Characters() / 2, names.Size());  // upper-casing may lengthen UTF-8 a little
    std::string asciiUpper;
    for (std::size_t i = 0; i < names.Size(); ++i) {
        const std::string_view name = names[i];
        if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            // UpperCase maps ASCII to ASCII, a to z only; most names are ASCII and skip the round trip.
            asciiUpper.assign(name);
            for (char& c : asciiUpper) {
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
            }
            upper.Add(asciiUpper);
        } else {
            upper.Add(EncodeUtf8(UpperCase(DecodeUtf8Lenient(name))));
        }
    }
    return upper;
}

// A radix sort over eight bytes of the keys at a time: a run of names that agree on their first
// bytes (a folder of "Artist - Title" names has long ones) is ordered by the next eight, which reads
// each key a few times rather than once per comparison. A run in which some key ends within the
// eight bytes is finished by whole comparisons.
class ListingSort {
public:
    // upper: the upper-case forms of names, in UTF-8.
    ListingSort(const TextRun<char>& upper, const TextRun<char>& names) : upper_(upper), names_(names) {}

    // The numbers of the names in listing order.
    std::vector<std::size_t> Order() {
        std::vector<Entry> entries(upper_.Size());
        for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = Entry{0, upper_[i], i};
        SortFrom(entries.begin(), entries.end(), 0);
        std::vector<std::size_t> order;
        order.reserve(entries.size());
        for (const Entry& entry : entries) order.push_back(entry.index);
        return order;
    }

private:
    // The key is kept beside its digit, so that a pass over a run reads keys without a look-up.
    struct Entry {
        std::uint64_t digit = 0;
        std::string_view key;
        std::size_t index = 0;
    };
    using Iterator = std::vector<Entry>::iterator;
    static constexpr std::size_t kDigitBytes = 8;

    // Eight bytes from depth on, the first the highest; past the key's end, 0.
    static std::uint64_t DigitAt(std::string_view key, std::size_t depth) {
        std::uint64_t digit = 0;
        for (std::size_t j = depth; j < depth + kDigitBytes; ++j) {
            digit = (digit << 8) | (j < key.size() ? static_cast<unsigned char>(key[j]) : 0u);
        }
        return digit;
    }

    bool WholeLess(const Entry& a, const Entry& b) const {
        if (const int byUpper = a.key.compare(b.key); byUpper != 0) return byUpper < 0;
        return DecodeUtf8Lenient(names_[a.index]) < DecodeUtf8Lenient(names_[b.index]);  // rare: same upper-case form
    }

    void SortFrom(Iterator first, Iterator last, std::size_t depth) {
        if (last - first < 2) return;
        for (Iterator it = first; it != last; ++it) {
            if (static_cast<std::size_t>(last - it) > kAhead) Prefetch((it + kAhead)->key.data() + depth);
            it->digit = DigitAt(it->key, depth);
        }
        std::sort(first, last, [](const Entry& a, const Entry& b) { return a.digit < b.digit; });
        while (first != last) {
            Iterator runEnd = first + 1;
            bool keysGoOn = first->key.size() > depth + kDigitBytes;
            while (runEnd != last && runEnd->digit == first->digit) {
                keysGoOn = keysGoOn && runEnd->key.size() > depth + kDigitBytes;
                ++runEnd;
            }
            if (runEnd - first > 1) {
                if (keysGoOn) {
                    SortFrom(first, runEnd, depth + kDigitBytes);
                } else {
                    std::sort(first, runEnd, [this](const Entry& a, const Entry& b) { return WholeLess(a, b); });
                }
            }
            first = runEnd;
        }
    }

    const TextRun<char>& upper_;
    const TextRun<char>& names_;
};

}  // namespace

std::vector<std::wstring> InListingOrder(const TextRun<char>& names) {
    const std::vector<std::size_t> order = ListingSort(UpperCaseForms(names), names).Order();
    // Decoded in their final order, so that later passes over the names read memory in order.
    std::vector<std::wstring> listed;
    listed.reserve(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + kAhead < order.size()) Prefetch(names[order[k + kAhead]].data());
        listed.push_back(DecodeUtf8Lenient(names[order[k]]));
    }
    return listed;
}

}  // namespace lyrics
