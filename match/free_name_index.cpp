#include "free_name_index.h"

#include <bit>
#include <functional>

#include "common/lower_case.h"

namespace lyrics {

namespace {

// How many look-ups ahead a bucket is fetched: enough to cover a trip to main memory.
constexpr std::size_t kPrefetchDistance = 16;

}  // namespace

std::size_t FreeNameIndex::HashOf(std::wstring_view loweredText) noexcept { return std::hash<std::wstring_view>{}(loweredText); }

// Lower-cased names are not kept: a name is lower-cased again only when a text with the same hash
// is compared with it, which is about once per match. A copy of every name would double the memory
// a big folder needs.
FreeNameIndex::FreeNameIndex(const std::vector<std::wstring>& names) : nextFree_(names.size(), kNone) {
    std::vector<std::size_t> hashes(names.size(), 0);
    std::size_t nonBlank = 0;
    std::wstring lowered;
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
        if (names[slot].empty()) continue;
        ++nonBlank;
        lowered.assign(names[slot]);
        LowerCaseInPlace(lowered);
        hashes[slot] = HashOf(lowered);
    }
    if (nonBlank == 0) return;
    buckets_.resize(std::bit_ceil(nonBlank * 2));

    // From the last slot back, so that each name's chain of free slots ends up in listing order.
    for (std::size_t slot = names.size(); slot-- > 0;) {
        if (slot >= kPrefetchDistance) Prefetch(hashes[slot - kPrefetchDistance]);
        if (names[slot].empty()) continue;
        Bucket& bucket = Find(names[slot], hashes[slot]);
        if (bucket.key.empty()) {
            bucket = Bucket{hashes[slot], slot, names[slot]};
            ++distinctNames_;
        } else {
            nextFree_[slot] = bucket.firstFree;
            bucket.firstFree = slot;
        }
    }
}

void FreeNameIndex::Prefetch(std::size_t hash) const noexcept {
    if (!buckets_.empty()) __builtin_prefetch(&buckets_[hash & (buckets_.size() - 1)]);
}

void FreeNameIndex::PrefetchName(std::size_t hash) const noexcept {
    if (buckets_.empty()) return;
    const Bucket& bucket = buckets_[hash & (buckets_.size() - 1)];
    if (!bucket.key.empty() && bucket.hash == hash) __builtin_prefetch(bucket.key.data());
}

bool FreeNameIndex::SameLowerCase(std::wstring_view text, std::wstring_view key) {
    if (key.size() != text.size()) return false;  // lower-casing keeps lengths
    if (key == text) return true;                 // most titles are written as their files are
    keyScratch_.assign(key);
    LowerCaseInPlace(keyScratch_);
    textScratch_.assign(text);
    LowerCaseInPlace(textScratch_);
    return keyScratch_ == textScratch_;
}

FreeNameIndex::Bucket& FreeNameIndex::Find(std::wstring_view text, std::size_t hash) {
    const std::size_t mask = buckets_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        Bucket& bucket = buckets_[at];
        if (bucket.key.empty()) return bucket;
        if (bucket.hash == hash && SameLowerCase(text, bucket.key)) return bucket;
    }
}

std::size_t FreeNameIndex::TakeFirstFree(std::wstring_view text, std::size_t hash) {
    if (buckets_.empty() || text.empty()) return kNone;
    Bucket& bucket = Find(text, hash);
    const std::size_t slot = bucket.firstFree;
    if (bucket.key.empty() || slot == kNone) return kNone;
    bucket.firstFree = nextFree_[slot];
    return slot;
}

}  // namespace lyrics
