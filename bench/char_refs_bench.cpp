// DecodeCharRefs on titles of growing length, with and without references.
#include <benchmark/benchmark.h>

#include "match/char_refs.h"

namespace lyrics::match::bench {

namespace {

// A title of `length` characters: words with a reference every few words when `withReferences`.
std::wstring LongTitle(std::size_t length, bool withReferences) {
    static constexpr std::wstring_view kPieces[] = {
        L"Caf&#xe9; ", L"Rock &amp; Roll ", L"&quot;Live&quot; ", L"Bj&#XF6;rk ", L"&amp;lt;3 ", L"Na&#xEF;ve ", L"&#x85; "};
    std::wstring title;
    std::size_t piece = 0;
    while (title.size() < length) {
        if (withReferences) {
            title += kPieces[piece++ % std::size(kPieces)];
        } else {
            title += L"Blue Morning Dancing ";
        }
    }
    title.resize(length);
    return title;
}

void BM_DecodeCharRefs(benchmark::State& state) {
    const std::wstring title = LongTitle(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(DecodeCharRefs(title));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DecodeCharRefs)->ArgsProduct({{60, 10'000, 1'000'000}, {0, 1}});

// 10 MB of "&amp;": every replacement makes an "&" that is looked at again.
void BM_DecodeCharRefsAmpRun(benchmark::State& state) {
    std::wstring title;
    for (std::int64_t i = 0; i < state.range(0) / 5; ++i) title += L"&amp;";
    for (auto _ : state) benchmark::DoNotOptimize(DecodeCharRefs(title));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DecodeCharRefsAmpRun)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// "&amp;amp;amp;...;": each replacement makes a new "&amp;" out of the text after it.
void BM_DecodeCharRefsNestedAmp(benchmark::State& state) {
    std::wstring title = L"&";
    for (std::int64_t i = 0; i < state.range(0) / 4; ++i) title += L"amp;";
    for (auto _ : state) benchmark::DoNotOptimize(DecodeCharRefs(title));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DecodeCharRefsNestedAmp)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace lyrics::match::bench
