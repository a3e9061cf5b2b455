// The in-memory store's costs: sequential fill and read must cost a constant per cell
// whatever the grid's size, and the row sort must stay O(n log n).

#include <benchmark/benchmark.h>

#include <random>

#include "grid/CUGCell.h"
#include "grid/CUGMem.h"

namespace {

// Fills a side x side square row by row, then reads it back the same way.
void BM_FillAndReadRowByRow(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    CUGCell cell;
    cell.SetText(L"cell text");
    CUGCell out;
    for (auto _ : state) {
        CUGMem store;
        for (int r = 0; r < side; ++r)
            for (int c = 0; c < side; ++c)
                store.SetCell(c, r, &cell);
        for (int r = 0; r < side; ++r) {
            for (int c = 0; c < side; ++c) {
                out.Reset();
                benchmark::DoNotOptimize(store.GetCell(c, r, &out));
            }
        }
        state.PauseTiming(); // freeing the store is not part of the walk
        store.Empty();
        state.ResumeTiming();
    }
    const double cells = static_cast<double>(side) * side;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * cells));
    state.counters["per_cell"] = benchmark::Counter(
        cells, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// The first pass also pays for the system handing out ~300 MB; MinTime gets past it.
BENCHMARK(BM_FillAndReadRowByRow)->Arg(100)->Arg(1000)->MinTime(2.0)->Unit(benchmark::kMillisecond);

// Sorts n rows of four columns by one random text key with the default comparison.
void BM_SortRowsByTextKey(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::mt19937 random(7);
    for (auto _ : state) {
        state.PauseTiming();
        CUGMem store;
        CUGCell cell;
        wchar_t key[9] = {};
        for (int r = 0; r < rows; ++r) {
            for (int i = 0; i < 8; ++i)
                key[i] = static_cast<wchar_t>(L'a' + random() % 26);
            cell.SetText(key);
            store.SetCell(0, r, &cell);
            for (int c = 1; c < 4; ++c) {
                cell.SetNumber(r * 4 + c);
                store.SetCell(c, r, &cell);
            }
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.SortRowsBy(0, 1));
        state.PauseTiming();
        store.Empty();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.counters["per_row"] = benchmark::Counter(
        rows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SortRowsByTextKey)
    ->Arg(5000)
    ->Arg(100000)
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
