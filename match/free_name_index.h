// FreeNameIndex: answers "which is the first still-free file-name slot, in listing order, whose
// lower-cased name is this text?" in constant time, so that matching a playlist against a folder
// costs one look-up per title instead of one comparison per title and file.
//
// The index refers to the names rather than copying them, so the names must stay as they are while
// it is used: a caller blanks the slots it was handed only once it is done with the index. Each
// slot is handed out once. Blank slots are never in the index, so a blank text finds nothing.
//
// Look-ups go by the hash of the lower-cased text (HashOf), which a caller computes ahead so that
// it can Prefetch the place of a look-up a few titles before it makes it: in a big table nearly
// every look-up would otherwise wait for main memory.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace lyrics {

class FreeNameIndex {
public:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    explicit FreeNameIndex(const std::vector<std::wstring>& names);

    bool Empty() const noexcept { return distinctNames_ == 0; }

    static std::size_t HashOf(std::wstring_view loweredText) noexcept;
    // Fetching ahead comes in two steps, some look-ups apart: first the text's place in the index,
    // then (the place being at hand by then) the name found there.
    void Prefetch(std::size_t hash) const noexcept;
    void PrefetchName(std::size_t hash) const noexcept;

    // The first free slot whose name equals text, letter case ignored, now taken; kNone when none.
    // hash is HashOf(text lower-cased).
    std::size_t TakeFirstFree(std::wstring_view text, std::size_t hash);

private:
    // One distinct lower-cased name: one of its names as written (to compare keys; names are never
    // blank, so an empty key marks an empty bucket) and its first free slot.
    struct Bucket {
        std::size_t hash = 0;
        std::size_t firstFree = kNone;
        std::wstring_view key;
    };

    // The bucket that holds the text, or the empty bucket where it would go.
    Bucket& Find(std::wstring_view text, std::size_t hash);
    bool SameLowerCase(std::wstring_view text, std::wstring_view key);

    std::vector<std::size_t> nextFree_;  // the next free slot of the same name, in listing order
    std::vector<Bucket> buckets_;        // open addressing, linear probing; never more than half full
    std::size_t distinctNames_ = 0;
    std::wstring textScratch_, keyScratch_;  // lower-cased for a comparison; reused, not reallocated
};

}  // namespace lyrics
