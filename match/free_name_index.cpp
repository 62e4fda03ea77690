#include "match/free_name_index.h"

#include <bit>
#include <functional>

#include "common/lower_case.h"
#include "common/prefetch.h"

namespace lyrics::match {

namespace {

// In a big table nearly every look-up would wait for main memory. Hashes are therefore made first,
// and each look-up's bucket is fetched this many look-ups before it is made: enough to cover a trip
// to main memory.
constexpr std::size_t kBucketAhead = 16;
// The name a bucket refers to can only be fetched once the bucket is at hand: half-way there.
constexpr std::size_t kKeyAhead = kBucketAhead / 2;

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
        if (slot >= kBucketAhead) PrefetchBucket(hashes[slot - kBucketAhead]);
        if (names[slot].empty()) continue;
        Bucket& bucket = Find(names[slot], hashes[slot]);
        if (bucket.key.empty()) {
            bucket = Bucket{hashes[slot], slot, names[slot]};
        } else {
            nextFree_[slot] = bucket.firstFree;
            bucket.firstFree = slot;
        }
    }
}

std::vector<FreeNameIndex::Taken> FreeNameIndex::TakeFirstFree(const std::vector<std::wstring>& texts) {
    std::vector<Taken> taken;
    if (buckets_.empty()) return taken;
    struct Pending {
        std::size_t text;
        std::size_t hash;
    };
    std::vector<Pending> pending;
    std::wstring lowered;  // one buffer for every text: no allocation per text
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty()) continue;
        lowered.assign(texts[i]);
        LowerCaseInPlace(lowered);
        pending.push_back(Pending{i, HashOf(lowered)});
    }
    for (std::size_t k = 0; k < pending.size(); ++k) {
        if (k + kBucketAhead < pending.size()) PrefetchBucket(pending[k + kBucketAhead].hash);
        if (k + kKeyAhead < pending.size()) PrefetchKey(pending[k + kKeyAhead].hash);
        const std::size_t slot = Take(texts[pending[k].text], pending[k].hash);
        if (slot != kNone) taken.push_back(Taken{pending[k].text, slot});
    }
    return taken;
}

void FreeNameIndex::PrefetchBucket(std::size_t hash) const noexcept { Prefetch(&buckets_[hash & (buckets_.size() - 1)]); }

void FreeNameIndex::PrefetchKey(std::size_t hash) const noexcept {
    const Bucket& bucket = buckets_[hash & (buckets_.size() - 1)];
    if (!bucket.key.empty() && bucket.hash == hash) Prefetch(bucket.key.data());
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

std::size_t FreeNameIndex::Take(std::wstring_view text, std::size_t hash) {
    Bucket& bucket = Find(text, hash);
    const std::size_t slot = bucket.firstFree;
    if (bucket.key.empty() || slot == kNone) return kNone;
    bucket.firstFree = nextFree_[slot];
    return slot;
}

}  // namespace lyrics::match
