#include "analysis/robust_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "rows_fixture.h"

namespace tolvane::testing {
namespace {

// The money figures in a fixed order, for table rows.
std::vector<std::optional<double>> Money(const RobustFigures& f) {
  return {f.mean, f.median, f.p10,  f.p25,         f.p75,         f.p90,
          f.iqr,  f.low,    f.high, f.lower_fence, f.upper_fence, f.typical};
}

// Hand-computed figures: mean, median, p10, p25, p75, p90, iqr, low, high,
// lower fence, upper fence, typical, then the number outside. Catches a
// percentile taken at n p or n (p + 1) instead of (n - 1) p, interpolation
// towards the wrong neighbour, ties mishandled by the selection, fences
// built from the wrong quartile, fence points counted as outside, and a
// typical price that keeps the outliers.
TEST(RobustFiguresTest, HandComputedTable) {
  struct Case {
    const char* name;
    std::vector<double> prices;
    std::vector<double> money;
    std::size_t outside;
  } cases[] = {
      {"odd count",
       {30, 10, 50, 20, 40},
       {30, 30, 14, 20, 40, 46, 20, 10, 50, -10, 70, 30},
       0},
      {"even count",
       {8, 1, 4, 2},
       {3.75, 3, 1.3, 1.75, 5, 6.8, 3.25, 1, 8, -3.125, 9.875, 3.75},
       0},
      {"one row",
       {7.5},
       {7.5, 7.5, 7.5, 7.5, 7.5, 7.5, 0, 7.5, 7.5, 7.5, 7.5, 7.5},
       0},
      {"ties", {2, 9, 2, 2, 2}, {3.4, 2, 2, 2, 2, 6.2, 0, 2, 9, 2, 2, 2}, 1},
      {"all equal", {4, 4, 4}, {4, 4, 4, 4, 4, 4, 0, 4, 4, 4, 4, 4}, 0},
      {"far outlier",
       {1000, 12, 10, 13, 11},
       {209.2, 12, 10.4, 11, 13, 605.2, 2, 10, 1000, 8, 16, 11.5},
       1},
      {"outliers both sides",
       {54, 1, 52, 200, 50, 53, 51},
       {461.0 / 7, 52, 30.4, 50.5, 53.5, 112.4, 3, 1, 200, 46, 58, 52},
       2}};
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RobustFigures f = ComputeRobustFigures(c.prices);
    EXPECT_EQ(f.count, c.prices.size());
    EXPECT_EQ(f.outside, c.outside);
    const std::vector<std::optional<double>> money = Money(f);
    for (std::size_t i = 0; i < money.size(); ++i) {
      ASSERT_TRUE(money[i].has_value()) << i;
      EXPECT_NEAR(*money[i], c.money[i], 1e-9) << i;
    }
  }
}

// An empty selection shows dashes, never zeros, in the table and null in
// JSON; amounts round half away from zero in the currency form and in JSON.
TEST(RobustFiguresTest, ShownTexts) {
  std::vector<double> none;
  const RobustFigures empty = ComputeRobustFigures(none);
  for (const FigureLine& line :
       RobustFigureLines(empty, RegionalSettings::UnitedStates())) {
    EXPECT_EQ(line.text, std::string(line.key) == "count" ? "0" : kNoFigure)
        << line.key;
  }
  EXPECT_EQ(RobustFiguresJson(empty),
            "{\"count\": 0, \"mean\": null, \"median\": null, \"p10\": null, "
            "\"p25\": null, \"p75\": null, \"p90\": null, \"iqr\": null, "
            "\"low\": null, \"high\": null, \"lower_fence\": null, "
            "\"upper_fence\": null, \"outside\": null, \"typical\": null}");

  std::vector<double> prices = {8, 1, 4, 2, 1234.565};
  const RobustFigures f = ComputeRobustFigures(prices);
  const std::vector<FigureLine> lines =
      RobustFigureLines(f, RegionalSettings::UnitedStates());
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0].label, std::string("Count:"));
  EXPECT_EQ(lines[2].label, std::string("Median:"));
  EXPECT_EQ(lines[2].text, "$4.00");
  EXPECT_EQ(lines[9].text, "$1,234.57");  // high, half away from zero
  EXPECT_EQ(lines[10].text, "($7.00)");   // lower fence 2 - 1.5 x 6
  EXPECT_EQ(lines[12].text, "1");         // outside
  EXPECT_NE(RobustFiguresJson(f).find("\"high\": 1234.57, \"lower_fence\": "
                                      "-7.00, \"upper_fence\": 17.00, "
                                      "\"outside\": 1, \"typical\": 3.75}"),
            std::string::npos)
      << RobustFiguresJson(f);
}

// Percentiles by selection equal those read off a full sort, on random data
// with many ties and sizes around every interpolation case.
TEST(RobustFiguresTest, PercentilesMatchASortedCopy) {
  std::mt19937 random(17);
  for (int n : {1, 2, 3, 9, 10, 11, 40, 41, 1001}) {
    for (int round = 0; round < 5; ++round) {
      std::vector<double> prices(static_cast<std::size_t>(n));
      std::uniform_int_distribution<int> cents(0, round % 2 ? 50 : 100000);
      for (double& price : prices) price = cents(random) / 100.0;
      std::vector<double> sorted = prices;
      std::sort(sorted.begin(), sorted.end());
      const auto at = [&](double p) {
        const double pos = (n - 1) * p;
        const auto lo = static_cast<std::size_t>(std::floor(pos));
        const double frac = pos - std::floor(pos);
        if (frac == 0) return sorted[lo];
        return sorted[lo] + frac * (sorted[lo + 1] - sorted[lo]);
      };
      const RobustFigures f = ComputeRobustFigures(prices);
      EXPECT_EQ((std::vector{*f.p10, *f.p25, *f.median, *f.p75, *f.p90, *f.low,
                             *f.high}),
                (std::vector{at(0.10), at(0.25), at(0.50), at(0.75), at(0.90),
                             sorted.front(), sorted.back()}))
          << n;
    }
  }
}

// Only checked rows count, with the price in double precision (a float
// would turn 1,234.57 into 1234.5699...).
TEST(RobustFiguresTest, CheckedRowsInDoublePrecision) {
  RowsFixture t;
  t.Add("1", "$1,234.57");
  t.Add("2", "$5.00");
  t.Grid().SetChecked(1, false);
  EXPECT_EQ(CheckedPrices(t.Grid()), std::vector<double>({1234.57}));
}

}  // namespace
}  // namespace tolvane::testing
