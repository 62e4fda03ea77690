// MatchTitles against the plain pairwise loop, on tables in the "Artist - Title" shape.
#include <benchmark/benchmark.h>

#include <map>

#include "bench/song_names.h"
#include "match/title_matching.h"
#include "tests/match/oracles/pairwise_matching.h"

namespace lyrics::match::bench {

namespace {

const MatchTables& TablesOf(std::size_t count) {
    static std::map<std::size_t, MatchTables> made;
    auto [it, inserted] = made.try_emplace(count);
    if (inserted) it->second = MakeMatchTables(count);
    return it->second;
}

void BM_MatchTitles(benchmark::State& state) {
    const MatchTables& tables = TablesOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        MatchTables work = tables;
        state.ResumeTiming();
        benchmark::DoNotOptimize(MatchTitles(work.playlistTitles, work.lyricsFileNames));
        state.PauseTiming();
        work = {};  // freeing the copy is not part of matching
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MatchTitles)->Arg(1'000)->Arg(20'000)->Arg(32'767)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Also proves, before timing, that the pairwise loop and MatchTitles leave the same blanks.
void BM_PairwiseMatchTitles(benchmark::State& state) {
    const MatchTables& tables = TablesOf(static_cast<std::size_t>(state.range(0)));
    MatchTables fast = tables;
    const MatchOutcome fastOutcome = MatchTitles(fast.playlistTitles, fast.lyricsFileNames);
    MatchTables plain;
    MatchOutcome plainOutcome;
    for (auto _ : state) {
        state.PauseTiming();
        plain = tables;
        state.ResumeTiming();
        plainOutcome = oracles::PairwiseMatchTitles(plain.playlistTitles, plain.lyricsFileNames);
        benchmark::DoNotOptimize(plainOutcome);
    }
    if (plainOutcome != fastOutcome || plain.playlistTitles != fast.playlistTitles ||
        plain.lyricsFileNames != fast.lyricsFileNames) {
        state.SkipWithError("MatchTitles and the pairwise loop leave different blanks");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PairwiseMatchTitles)->Arg(1'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairwiseMatchTitles)->Arg(5'000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairwiseMatchTitles)->Arg(20'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace lyrics::match::bench
