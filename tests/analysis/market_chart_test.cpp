#include "analysis/market_chart.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "listing/parsed_item.h"

namespace tolvane {
namespace {

PriceHistogram HistogramOf(std::vector<double> prices) {
  std::vector<double> work = prices;
  return BuildHistogram(prices, ComputeRobustFigures(work));
}

// Catches a bin count off the Freedman-Diaconis rule (bars too wide, too
// narrow or a fixed number), rows lost at the top edge, edges
// that do not span the prices, and the log axis switched at the wrong ratio.
TEST(MarketChartTest, HistogramBins) {
  struct Case {
    double from, to;
    bool log_scale;
    std::size_t bins;
  } cases[] = {{10, 150, false, 22},
               {10, 210, true, 34},
               {1, 20, false, 22},
               {0, 210, false, 22}};
  for (const Case& c : cases) {
    std::vector<double> prices;
    for (int i = 0; i <= 10000; ++i)
      prices.push_back(c.from + (c.to - c.from) * i / 10000.0);
    const PriceHistogram h = HistogramOf(prices);
    EXPECT_EQ(h.log_scale, c.log_scale) << c.to;
    EXPECT_EQ(h.counts.size(), c.bins) << c.to;
    ASSERT_EQ(h.edges.size(), h.counts.size() + 1);
    EXPECT_DOUBLE_EQ(h.edges.front(), c.from);
    EXPECT_DOUBLE_EQ(h.edges.back(), c.to);
    EXPECT_TRUE(std::is_sorted(h.edges.begin(), h.edges.end()));
    EXPECT_EQ(std::accumulate(h.counts.begin(), h.counts.end(), std::size_t{0}),
              prices.size());
  }
  const PriceHistogram same = HistogramOf({4, 4, 4});
  EXPECT_EQ(same.counts, std::vector<std::size_t>({3}));
  EXPECT_EQ(same.edges, std::vector<double>({3.5, 4.5}));
  EXPECT_TRUE(HistogramOf({}).counts.empty());
}

ResultGrid Rows(int count, const std::string& ended) {
  ResultGrid grid;
  for (int i = 0; i < count; ++i) {
    // Without an end time given, the rows spread over four weeks.
    const std::string when = !ended.empty()
                                 ? ended
                                 : "Nov-" + std::to_string(10 + i % 28) + " " +
                                       std::to_string(10 + i % 14) + ":30";
    // With one, they take turns at two prices.
    const ParsedItem item{std::to_string(i), "Lamp", "3",
                          ended.empty()
                              ? "$" + std::to_string(1 + i % 997) + ".50"
                              : (i % 2 == 0 ? "$5.00" : "$500.00"),
                          when};
    grid.Append(*MakeRow(item, RegionalSettings::UnitedStates()));
  }
  return grid;
}

// End times dated with the year rule of the hourly analysis; rows that do
// not date are counted, not drawn; unchecked rows are drawn as such.
TEST(MarketChartTest, ScatterDatesEveryRow) {
  ResultGrid grid = Rows(2, "Nov-23 09:50");
  grid.Append(*MakeRow({"x", "Lamp", "3", "$1.00", "notAvail"},
                       RegionalSettings::UnitedStates()));
  // A month name in the wrong case does not date, even after the right one;
  // the dated forms carry their year, a date alone sits at noon.
  for (const char* ended : {"Feb-29 10:00", "nov-23 10:00", "Feb-29-2024",
                            "Mar-07-2026 14:03", "-"}) {
    grid.Append(*MakeRow({ended, "Lamp", "3", "$1.00", ended},
                         RegionalSettings::UnitedStates()));
  }
  grid.SetChecked(1, false);
  const PriceScatter s = BuildScatter(grid, {2026, 1, 10});
  EXPECT_EQ(s.undated, 4u);
  ASSERT_EQ(s.points.size(), 4u);
  EXPECT_EQ(s.points[2].minutes, DaysSinceEpoch({2024, 2, 29}) * 1440.0 + 720);
  EXPECT_EQ(s.points[3].minutes,
            DaysSinceEpoch({2026, 3, 7}) * 1440.0 + 14 * 60 + 3);
  EXPECT_EQ(s.points[0].minutes,
            DaysSinceEpoch({2025, 11, 23}) * 1440.0 + 9 * 60 + 50);
  EXPECT_EQ(s.points[1].row, 1);
  EXPECT_FALSE(s.points[1].checked);
  EXPECT_FALSE(s.binned);
}

// A large grid is drawn with a bounded number of points, each of which
// names a real row at its own place.
TEST(MarketChartTest, ScatterBinsLargeGrids) {
  const ResultGrid grid = Rows(25000, "");
  const PriceScatter s = BuildScatter(grid, {2026, 3, 10}, 5000);
  EXPECT_TRUE(s.binned);
  EXPECT_LE(s.points.size(), 5000u);
  EXPECT_GT(s.points.size(), 500u);
  for (const ScatterPoint& point : s.points) {
    EXPECT_EQ(point.price, grid.Row(point.row).price64);
  }
  // Rows in two cells are drawn as the first of each kind there (row 2 is
  // unchecked), and thinned to one point, as the first of the first.
  ResultGrid two = Rows(600, "Nov-23 18:45");
  two.SetChecked(2, false);
  std::vector<int> rows;
  for (const std::size_t most : {500, 1}) {
    for (const ScatterPoint& p : BuildScatter(two, {2026, 3, 10}, most).points)
      rows.push_back(p.row);
  }
  EXPECT_EQ(rows, std::vector<int>({2, 0, 1, 2}));
}

}  // namespace
}  // namespace tolvane
