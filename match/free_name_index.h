// FreeNameIndex: pairs texts with equal file names, letter case ignored. Each text, in order, takes
// the first still-free name slot, in listing order, whose name equals it; matching a playlist
// against a folder costs one look-up per title instead of one comparison per title and file.
//
// The index refers to the names rather than copying them, so the names must stay as they are while
// it is used: a caller blanks the slots it was handed only once it is done with the index. Each
// slot is handed out once. Blank slots are never in the index, and a blank text takes nothing.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace lyrics::match {

class FreeNameIndex {
public:
    explicit FreeNameIndex(const std::vector<std::wstring>& names);

    struct Taken {
        std::size_t text;  // its place among the texts
        std::size_t slot;  // the name slot it took
    };

    // For each text, in order, the first free slot whose name equals it, now taken; the texts that
    // find none are left out.
    std::vector<Taken> TakeFirstFree(const std::vector<std::wstring>& texts);

private:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    // One distinct lower-cased name: one of its names as written (to compare keys; names are never
    // blank, so an empty key marks an empty bucket) and its first free slot.
    struct Bucket {
        std::size_t hash = 0;
        std::size_t firstFree = kNone;
        std::wstring_view key;
    };

    static std::size_t HashOf(std::wstring_view loweredText) noexcept;
    // Fetching ahead comes in two steps, some look-ups apart: first the text's place in the index,
    // then (the place being at hand by then) the name found there.
    void PrefetchBucket(std::size_t hash) const noexcept;
    void PrefetchKey(std::size_t hash) const noexcept;

    // The bucket that holds the text, or the empty bucket where it would go.
    Bucket& Find(std::wstring_view text, std::size_t hash);
    bool SameLowerCase(std::wstring_view text, std::wstring_view key);
    // The first free slot whose name equals text, now taken; kNone when none. hash is HashOf(text
    // lower-cased).
    std::size_t Take(std::wstring_view text, std::size_t hash);

    std::vector<std::size_t> nextFree_;      // the next free slot of the same name, in listing order
    std::vector<Bucket> buckets_;            // open addressing, linear probing; never more than half full
    std::wstring textScratch_, keyScratch_;  // lower-cased for a comparison; reused, not reallocated
};

}  // namespace lyrics::match
