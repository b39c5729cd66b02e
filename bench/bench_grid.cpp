#include <benchmark/benchmark.h>

#include "analysis/row_sort.h"
#include "headless_app.h"
#include "sample_rows.h"

namespace tolvane {
namespace {

void Fill(cli::HeadlessApp& app, std::size_t n) {
  ResultGrid& grid = app.FrmPrice().ListView1();
  for (const ParsedItem& item : bench::SampleItems(n)) {
    grid.Append(*MakeRow(item, RegionalSettings::UnitedStates()));
  }
}

// Clicks on one column header: the direction flips with every click, so
// ascending and descending sorts alternate.
void SortColumn(benchmark::State& state, int column) {
  cli::HeadlessApp app(RegionalSettings::UnitedStates());
  Fill(app, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    app.FrmPrice().ListView1ColumnClick(Sender{"ListView1"}, column);
  }
}

void BM_SortPrice(benchmark::State& state) { SortColumn(state, kPriceColumn); }
BENCHMARK(BM_SortPrice)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SortBids(benchmark::State& state) { SortColumn(state, kBidsColumn); }
BENCHMARK(BM_SortBids)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Delete Unchecked on a grid where every other row was filtered out.
void BM_DeleteUnchecked(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    cli::HeadlessApp app(RegionalSettings::UnitedStates());
    Fill(app, n);
    ResultGrid& grid = app.FrmPrice().ListView1();
    for (int i = 0; i < grid.Count(); i += 2) grid.SetChecked(i, false);
    state.ResumeTiming();
    app.FrmPrice().DeleteUnchecked1Click(Sender{"DeleteUnchecked1"});
    state.PauseTiming();
    // The grid's rows are freed outside the measured time.
    grid.Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteUnchecked)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace tolvane
