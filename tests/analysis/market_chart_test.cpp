#include "analysis/market_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
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
// narrow or a fixed number), rows lost at the top edge or moved off the
// bottom bin, edges that do not span the prices or do not rise, and the log
// axis switched at the wrong ratio.
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
    EXPECT_EQ(std::adjacent_find(h.edges.begin(), h.edges.end(),
                                 std::greater_equal<>()),
              h.edges.end());
    EXPECT_GT(h.counts.front(), 0u) << c.to;
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
// not date (letters or 60 in the minutes too) are counted, not drawn;
// unchecked rows are drawn as such.
TEST(MarketChartTest, ScatterDatesEveryRow) {
  ResultGrid grid = Rows(2, "Nov-23 23:59");
  grid.Append(*MakeRow({"x", "Lamp", "3", "$1.00", "notAvail"},
                       RegionalSettings::UnitedStates()));
  // A month name in the wrong case does not date, even after the right one;
  // the dated forms carry their year, a date alone sits at noon.
  for (const char* ended :
       {"Feb-29 10:00", "nov-23 10:00", "Feb-29-2024", "Mar-07-2026 14:03", "-",
        "Nov-23 10:5x", "Nov-23 10:60"}) {
    grid.Append(*MakeRow({ended, "Lamp", "3", "$1.00", ended},
                         RegionalSettings::UnitedStates()));
  }
  grid.SetChecked(1, false);
  const PriceScatter s = BuildScatter(grid, {2026, 1, 10});
  EXPECT_EQ(s.undated, 6u);
  ASSERT_EQ(s.points.size(), 4u);
  EXPECT_EQ(s.points[2].minutes, DaysSinceEpoch({2024, 2, 29}) * 1440.0 + 720);
  EXPECT_EQ(s.points[3].minutes,
            DaysSinceEpoch({2026, 3, 7}) * 1440.0 + 14 * 60 + 3);
  EXPECT_EQ(s.points[0].minutes,
            DaysSinceEpoch({2025, 11, 23}) * 1440.0 + 23 * 60 + 59);
  EXPECT_EQ(s.points[1].row, 1);
  EXPECT_FALSE(s.points[1].kind.checked);
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
  // Pairs of rows at one price each, one checked and one not: thinned, each
  // kind keeps half the points (every other point in cell order would all
  // be of one kind).
  ResultGrid pairs;
  for (int i = 0; i < 2000; ++i) {
    pairs.Append(
        *MakeRow({std::to_string(i), "Lamp", "3",
                  "$" + std::to_string(1 + i / 2) + ".00", "Nov-23 18:45"},
                 RegionalSettings::UnitedStates()));
    pairs.SetChecked(i, i % 2 == 0);
  }
  const PriceScatter thinned = BuildScatter(pairs, {2026, 3, 10}, 120);
  EXPECT_EQ(thinned.points.size(), 120u);
  EXPECT_EQ(std::count_if(thinned.points.begin(), thinned.points.end(),
                          [](const ScatterPoint& p) { return p.kind.checked; }),
            60);
}

// Catches kinds drawn in an order that hides checked points under unchecked
// ones, and a click given to another row than the one nearest on the
// screen (a price axis of cents beside one of minutes).
TEST(MarketChartTest, SeriesByKindAndTheNearestRow) {
  PriceScatter scatter;
  scatter.points = {{0, 10, 0, {5, true}},
                    {100, 11, 1, {5, false}},
                    {60, 10.5, 2, {5, true}},
                    {0, 100, 3, {-1, true}}};
  const std::vector<ScatterSeries> series = GroupScatter(scatter);
  ASSERT_EQ(series.size(), 3u);
  EXPECT_EQ(series[0].kind, (ScatterKind{5, false}));
  EXPECT_EQ(series[1].kind, (ScatterKind{-1, true}));
  EXPECT_EQ(series[2].kind, (ScatterKind{5, true}));
  EXPECT_EQ(series[2].points[1].row, 2);
  EXPECT_EQ(ScatterKind::OfIndex(ScatterKind{5, false}.Index()),
            (ScatterKind{5, false}));
  // Close in minutes, far in price: a cent is ten pixels, a minute one.
  EXPECT_EQ(NearestRow(series[2], 5, 10.4, {1, 1000, false}), 2);
  EXPECT_EQ(NearestRow(series[2], 5, 10.4, {1, 0.01, false}), 0);
  EXPECT_EQ(NearestRow(series[2], 40, 10, {1, 10, true}), 2);
  EXPECT_EQ(NearestRow(ScatterSeries{}, 0, 0, {}), std::nullopt);
}

// Catches axes that cut the first or last point at the plot's edge, date
// ticks that repeat one label, log-axis labels of cents shown as $0, and a
// title that counts "1 bins" or calls one bar Freedman-Diaconis.
TEST(MarketChartTest, AxesAndTitles) {
  constexpr double kDay = 1440;
  const struct {
    double first, last;
    TimeLabels labels;
  } times[] = {{0, 0, TimeLabels::kDayAndTime},
               {0, 3 * kDay, TimeLabels::kDayAndTime},
               // Four days and a year, margins included.
               {0, 3.75 * kDay, TimeLabels::kDay},
               {0, 342 * kDay, TimeLabels::kDay},
               {0, 342.1875 * kDay, TimeLabels::kMonthAndYear}};
  for (const auto& t : times) {
    const TimeAxis axis = ScatterTimeAxis(t.first, t.last);
    EXPECT_EQ(axis.labels, t.labels) << t.last;
    EXPECT_EQ(axis.ticks, 5);
    // A marker's width inside the plot's 600 pixels at either end.
    const double margin = 6.0 / 600 * (axis.to - axis.from);
    EXPECT_LE(axis.from, t.first - margin) << t.last;
    EXPECT_GE(axis.to, t.last + margin) << t.last;
  }
  const struct {
    double low, high;
    bool log;
    double from, to;
  } prices[] = {
      {10, 110, false, 5, 115},
      {4, 104, false, 0, 109},
      {1, 101, false, -4, 106},
      {0, 100, false, -5, 105},
      {5, 5, false, 4, 6},
      {1, 10000, true, 1 / std::pow(10, 0.2), 1e4 * std::pow(10, 0.2)},
      {10, 300, true, 10 / 1.2, 360}};
  for (const auto& p : prices) {
    const PriceRange range = ScatterPriceRange(p.low, p.high, p.log);
    EXPECT_NEAR(range.low, p.from, 1e-6 * p.to) << p.low << " " << p.high;
    EXPECT_NEAR(range.high, p.to, 1e-6 * p.to) << p.low << " " << p.high;
  }
  const std::pair<double, int> decimals[] = {{0.04, 2}, {0.009, 2}, {0.0009, 3},
                                             {0.9, 0},  {1, 0},     {8, 0}};
  for (const auto& [low, want] : decimals)
    EXPECT_EQ(PriceAxisDecimals(true, low), want) << low;
  EXPECT_EQ(PriceAxisDecimals(false, 50), 2);
  EXPECT_EQ(HistogramTitle(HistogramOf({4, 4, 4})), "Checked prices: 1 bin");
  EXPECT_EQ(HistogramTitle(HistogramOf({})), "Checked prices");
  EXPECT_EQ(HistogramTitle(HistogramOf({1, 2, 3, 400})),
            "Checked prices: 20 bins (Freedman-Diaconis), logarithmic price "
            "axis");
}

}  // namespace
}  // namespace tolvane
