#include <benchmark/benchmark.h>

#include <memory>

#include "headless_app.h"
#include "sample_rows.h"

namespace tolvane {
namespace {

// N distinct auctions added one at a time, each followed by its summary, as
// a long Get 5 or a CSV merge adds them.
void BM_AddItemWithSummary(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const std::vector<ParsedItem> items = bench::SampleItems(n);
  for (auto _ : state) {
    state.PauseTiming();
    auto app =
        std::make_unique<cli::HeadlessApp>(RegionalSettings::UnitedStates());
    state.ResumeTiming();
    for (const ParsedItem& item : items) {
      benchmark::DoNotOptimize(app->FrmPrice().AddItem(item));
    }
    state.PauseTiming();
    app.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AddItemWithSummary)
    ->Arg(100000)
    ->Arg(300000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Complexity(benchmark::oNLogN);

// The summary of a large grid right after a check mark changed, when the
// running totals must be taken again.
void BM_ComputeSummary(benchmark::State& state) {
  cli::HeadlessApp app(RegionalSettings::UnitedStates());
  for (const ParsedItem& item :
       bench::SampleItems(static_cast<std::size_t>(state.range(0)))) {
    app.FrmPrice().ListView1().Append(
        *MakeRow(item, RegionalSettings::UnitedStates()));
  }
  int row = 0;
  for (auto _ : state) {
    ResultGrid& grid = app.FrmPrice().ListView1();
    grid.SetChecked(row, !grid.Row(row).checked);
    row = (row + 7919) % grid.Count();
    app.FrmPrice().ComputeSummary();
  }
}
BENCHMARK(BM_ComputeSummary)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolvane
