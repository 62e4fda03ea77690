// MatchTitles must leave exactly the blanks, and give the outcome, of the pairwise loop.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "match/title_matching.h"
#include "tests/match/oracles/pairwise_matching.h"

namespace {

// Few letters, each in two cases, so that equal names, duplicates and case variants are common.
constexpr wchar_t kAlphabet[] = {L'a',  L'A',  L'b',  L'B', 0xE9,   0xC9, L' ',    0x3A3,
                                 0x3C3, 0x3C2, 0x130, L'i', 0x212A, L'k', 0x1F600, L'.'};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool AtEnd() const { return at_ >= size_; }
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::vector<std::wstring> Table(Reader& in) {
    std::vector<std::wstring> table(in.Next() % 48);
    for (std::wstring& slot : table) {
        const std::size_t length = in.Next() % 4;  // 0: a blank slot
        for (std::size_t i = 0; i < length; ++i) slot += kAlphabet[in.Next() % std::size(kAlphabet)];
    }
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    std::vector<std::wstring> titles = Table(in);
    std::vector<std::wstring> names = Table(in);
    std::vector<std::wstring> plainTitles = titles;
    std::vector<std::wstring> plainNames = names;
    const lyrics::match::MatchOutcome outcome = lyrics::match::MatchTitles(titles, names);
    const lyrics::match::MatchOutcome plainOutcome = lyrics::match::oracles::PairwiseMatchTitles(plainTitles, plainNames);
    if (outcome != plainOutcome || titles != plainTitles || names != plainNames) {
        std::fprintf(stderr, "MatchTitles and the pairwise loop differ\n");
        std::abort();
    }
    return 0;
}
