#include <benchmark/benchmark.h>

#include <string>

#include "analysis/hourly_analysis.h"
#include "listing/parsed_item.h"
#include "listing/result_grid.h"
#include "util/regional.h"

namespace {

// A year's merged research: end times spread over every month, day and
// hour, one row in five without bids.
tolvane::ResultGrid MakeGrid(int count) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr",
                                            "May", "Jun", "Jul", "Aug",
                                            "Sep", "Oct", "Nov", "Dec"};
  const auto settings = tolvane::RegionalSettings::UnitedStates();
  tolvane::ResultGrid grid;
  for (int i = 0; i < count; ++i) {
    tolvane::ParsedItem item;
    item.Item = std::to_string(1000000000 + i);
    item.Description = "Brass lamp";
    item.Bids = i % 5 == 0 ? "-" : std::to_string(i % 37);
    item.Price =
        "$" + std::to_string(1 + i % 1500) + "." + std::to_string(10 + i % 90);
    const int hour = i % 24;
    item.Ended = std::string(kMonths[i % 12]) + "-" +
                 std::to_string(1 + i % 28) + " " + (hour < 10 ? "0" : "") +
                 std::to_string(hour) + ":" + std::to_string(10 + i % 50);
    grid.Append(*tolvane::MakeRow(item, settings));
  }
  return grid;
}

void BM_Analysis(benchmark::State& state) {
  const tolvane::ResultGrid grid = MakeGrid(static_cast<int>(state.range(0)));
  const auto settings = tolvane::RegionalSettings::UnitedStates();
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        tolvane::HourlyWeekdayReport(grid, {2026, 1, 10}, settings));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Analysis)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
