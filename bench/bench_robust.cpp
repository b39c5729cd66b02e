#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "analysis/market_chart.h"
#include "analysis/robust_figures.h"
#include "listing/parsed_item.h"
#include "listing/result_grid.h"
#include "util/regional.h"

namespace {

// A year's merged research: prices spread over three decades with a long
// tail, end times over every month, one row in ten unchecked.
const tolvane::ResultGrid& Grid(int count) {
  static tolvane::ResultGrid grid;
  if (grid.Count() == count) return grid;
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr",
                                            "May", "Jun", "Jul", "Aug",
                                            "Sep", "Oct", "Nov", "Dec"};
  const auto settings = tolvane::RegionalSettings::UnitedStates();
  std::mt19937 random(17);
  std::lognormal_distribution<double> price(3.5, 0.8);
  grid.Clear();
  char text[32];
  for (int i = 0; i < count; ++i) {
    tolvane::ParsedItem item;
    item.Item = std::to_string(1000000000 + i);
    item.Description = "Brass lamp";
    item.Bids = i % 5 == 0 ? "-" : std::to_string(i % 37);
    std::snprintf(text, sizeof text, "$%.2f", price(random));
    item.Price = text;
    std::snprintf(text, sizeof text, "%s-%02d %02d:%02d", kMonths[i % 12],
                  1 + i % 28, i % 24, i % 60);
    item.Ended = text;
    grid.Append(*tolvane::MakeRow(item, settings));
  }
  for (int i = 0; i < count; i += 10) grid.SetChecked(i, false);
  return grid;
}

// The figures of the checked rows as the Market window and `stats` make
// them: the prices gathered, then the percentiles by selection.
void BM_RobustFigures(benchmark::State& state) {
  const tolvane::ResultGrid& grid = Grid(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<double> prices = tolvane::CheckedPrices(grid);
    benchmark::DoNotOptimize(tolvane::ComputeRobustFigures(prices));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RobustFigures)->Arg(1000000)->Unit(benchmark::kMillisecond);

// What one would write without selection: the prices gathered and sorted
// whole, the percentiles read off; side by side for the ratio.
void BM_RobustFiguresBySort(benchmark::State& state) {
  const tolvane::ResultGrid& grid = Grid(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<double> prices = tolvane::CheckedPrices(grid);
    std::sort(prices.begin(), prices.end());
    benchmark::DoNotOptimize(prices[prices.size() / 2]);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RobustFiguresBySort)->Arg(1000000)->Unit(benchmark::kMillisecond);

// What the Market window computes after a change at a million rows: the
// figures, the histogram and the scatter bounded to the points it draws.
void BM_ChartSeries(benchmark::State& state) {
  const tolvane::ResultGrid& grid = Grid(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<double> prices = tolvane::CheckedPrices(grid);
    std::vector<double> work = prices;
    const tolvane::RobustFigures figures = tolvane::ComputeRobustFigures(work);
    benchmark::DoNotOptimize(tolvane::BuildHistogram(prices, figures));
    const tolvane::PriceScatter scatter =
        tolvane::BuildScatter(grid, {2026, 12, 6});
    if (scatter.points.size() > tolvane::kMaxScatterPoints) {
      state.SkipWithError("more points than the bound");
    }
    benchmark::DoNotOptimize(scatter);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ChartSeries)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
