#include "analysis/robust_figures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "util/numbers.h"

namespace tolvane {
namespace {

constexpr std::array<double, 5> kPercentiles = {0.10, 0.25, 0.50, 0.75, 0.90};

// Where percentile p falls between two order statistics: the lower rank and
// the weight of the next one.
struct Position {
  std::size_t rank;
  double fraction;
};

Position PositionOf(std::size_t n, double p) {
  const double exact = static_cast<double>(n - 1) * p;
  const double rank = std::floor(exact);
  return {static_cast<std::size_t>(rank), exact - rank};
}

// Puts the order statistic of every rank asked for at its place. Ranks are
// taken in ascending order, each selection working only on what lies above
// the previous rank, so five percentiles cost a few linear passes.
void SelectRanks(std::vector<double>& values, std::vector<std::size_t> ranks) {
  std::sort(ranks.begin(), ranks.end());
  ranks.erase(std::unique(ranks.begin(), ranks.end()), ranks.end());
  auto start = values.begin();
  for (const std::size_t rank : ranks) {
    const auto nth = values.begin() + static_cast<std::ptrdiff_t>(rank);
    std::nth_element(start, nth, values.end());
    start = nth + 1;
  }
}

double Interpolate(const std::vector<double>& ordered, Position position) {
  const double below = ordered[position.rank];
  if (position.fraction == 0) return below;
  const double above = ordered[position.rank + 1];
  return below + position.fraction * (above - below);
}

}  // namespace

std::vector<double> CheckedPrices(const ResultGrid& grid) {
  std::vector<double> prices;
  prices.reserve(static_cast<std::size_t>(grid.Totals().checked));
  for (const RowView row : grid.Rows()) {
    if (row.checked) prices.push_back(row.price64);
  }
  return prices;
}

RobustFigures ComputeRobustFigures(std::vector<double>& prices) {
  RobustFigures figures;
  const std::size_t n = prices.size();
  figures.count = n;
  if (n == 0) return figures;

  double sum = 0;
  double low = prices.front();
  double high = prices.front();
  for (const double price : prices) {
    sum += price;
    low = std::min(low, price);
    high = std::max(high, price);
  }
  figures.mean = sum / static_cast<double>(n);
  figures.low = low;
  figures.high = high;

  std::array<Position, kPercentiles.size()> positions{};
  std::vector<std::size_t> ranks;
  for (std::size_t i = 0; i < kPercentiles.size(); ++i) {
    positions[i] = PositionOf(n, kPercentiles[i]);
    ranks.push_back(positions[i].rank);
    if (positions[i].fraction != 0) ranks.push_back(positions[i].rank + 1);
  }
  SelectRanks(prices, std::move(ranks));
  std::array<double, kPercentiles.size()> values{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = Interpolate(prices, positions[i]);
  }
  figures.p10 = values[0];
  figures.p25 = values[1];
  figures.median = values[2];
  figures.p75 = values[3];
  figures.p90 = values[4];

  const double iqr = values[3] - values[1];
  const double lower_fence = values[1] - 1.5 * iqr;
  const double upper_fence = values[3] + 1.5 * iqr;
  figures.iqr = iqr;
  figures.lower_fence = lower_fence;
  figures.upper_fence = upper_fence;

  // A price on a fence is inside; the median always is, so the typical
  // price always has rows to average.
  std::size_t inside = 0;
  double inside_sum = 0;
  for (const double price : prices) {
    if (price < lower_fence || price > upper_fence) continue;
    ++inside;
    inside_sum += price;
  }
  figures.outside = n - inside;
  figures.typical = inside_sum / static_cast<double>(inside);
  return figures;
}

namespace {

struct Money {
  const char* key;
  const char* label;
  std::optional<double> RobustFigures::*value;
};

// The money figures in the order shown, between the count and the typical
// price, which come with the number outside.
constexpr Money kMoney[] = {
    {"mean", "Mean:", &RobustFigures::mean},
    {"median", "Median:", &RobustFigures::median},
    {"p10", "10th percentile:", &RobustFigures::p10},
    {"p25", "25th percentile:", &RobustFigures::p25},
    {"p75", "75th percentile:", &RobustFigures::p75},
    {"p90", "90th percentile:", &RobustFigures::p90},
    {"iqr", "Interquartile range:", &RobustFigures::iqr},
    {"low", "Low:", &RobustFigures::low},
    {"high", "High:", &RobustFigures::high},
    {"lower_fence", "Lower fence:", &RobustFigures::lower_fence},
    {"upper_fence", "Upper fence:", &RobustFigures::upper_fence},
};
constexpr const char* kCountLabel = "Count:";
constexpr const char* kOutsideLabel = "Outside the fences:";
constexpr const char* kTypicalLabel = "Typical price:";

}  // namespace

std::vector<FigureLine> RobustFigureLines(const RobustFigures& figures,
                                          const RegionalSettings& settings) {
  const auto money = [&](const std::optional<double>& value) {
    return value ? FormatCurrency(*value, settings) : std::string(kNoFigure);
  };
  std::vector<FigureLine> lines;
  lines.push_back({"count", kCountLabel, std::to_string(figures.count)});
  for (const Money& m : kMoney) {
    lines.push_back({m.key, m.label, money(figures.*m.value)});
  }
  lines.push_back({"outside", kOutsideLabel,
                   figures.outside ? std::to_string(*figures.outside)
                                   : std::string(kNoFigure)});
  lines.push_back({"typical", kTypicalLabel, money(figures.typical)});
  return lines;
}

std::string RobustFiguresJson(const RobustFigures& figures) {
  // Dollars with a point and two decimals whatever the user's region, the
  // cents rounded as the currency form rounds them.
  const RegionalSettings plain = RegionalSettings::UnitedStates();
  const auto money = [&](const std::optional<double>& value) {
    return value ? FormatFixed(*value, plain) : std::string("null");
  };
  std::string json = "{\"count\": " + std::to_string(figures.count);
  for (const Money& m : kMoney) {
    json += std::string(", \"") + m.key + "\": " + money(figures.*m.value);
  }
  json += ", \"outside\": ";
  json += figures.outside ? std::to_string(*figures.outside) : "null";
  json += ", \"typical\": " + money(figures.typical) + "}";
  return json;
}

}  // namespace tolvane
