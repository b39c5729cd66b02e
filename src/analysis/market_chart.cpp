#include "analysis/market_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "analysis/hourly_analysis.h"
#include "analysis/icons.h"
#include "util/error.h"

namespace tolvane {

bool UsesLogScale(double low, double high) {
  return low > 0 && high > kLogScaleRatio * low;
}

PriceHistogram BuildHistogram(const std::vector<double>& prices,
                              const RobustFigures& figures) {
  PriceHistogram histogram;
  if (prices.empty()) return histogram;
  const double low = *figures.low;
  const double high = *figures.high;
  if (high == low) {
    // One price only: one bar around it.
    histogram.edges = {low - 0.5, low + 0.5};
    histogram.counts = {prices.size()};
    return histogram;
  }
  histogram.log_scale = UsesLogScale(low, high);
  const bool log = histogram.log_scale;
  const auto scale = [log](double price) {
    return log ? std::log10(price) : price;
  };
  const double from = scale(low);
  const double range = scale(high) - from;
  // Freedman-Diaconis: width 2 IQR / cbrt(n), on the axis's own scale.
  const double iqr = scale(*figures.p75) - scale(*figures.p25);
  const double width = 2 * iqr / std::cbrt(static_cast<double>(prices.size()));
  int bins = kMinBins;
  if (width > 0) {
    bins = static_cast<int>(std::clamp(std::ceil(range / width),
                                       double{kMinBins}, double{kMaxBins}));
  }
  const double step = range / bins;
  for (int i = 0; i <= bins; ++i) {
    const double edge = i == bins ? scale(high) : from + step * i;
    histogram.edges.push_back(log ? std::pow(10.0, edge) : edge);
  }
  histogram.edges.front() = low;
  histogram.edges.back() = high;
  histogram.counts.assign(static_cast<std::size_t>(bins), 0);
  for (const double price : prices) {
    const double at = (scale(price) - from) / step;
    const int bin = std::clamp(static_cast<int>(at), 0, bins - 1);
    ++histogram.counts[static_cast<std::size_t>(bin)];
  }
  return histogram;
}

namespace {

// Two digit characters as a number, or nothing.
std::optional<int> TwoDigits(char tens, char ones) {
  if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return std::nullopt;
  return (tens - '0') * 10 + (ones - '0');
}

// Dates end times by their date part: a grid holds a few hundred distinct
// days however many rows it has, so each is worked out once.
class EndTimeReader {
 public:
  explicit EndTimeReader(Date today) : today_(today) {}

  std::optional<double> Minutes(std::string_view ended) {
    // A sale dated with its year; one without a time of day sits at noon.
    if (const std::optional<DatedEnd> end = ReadDatedEnd(ended)) {
      const int minutes = end->hour ? *end->hour * 60 + end->minute : 12 * 60;
      return static_cast<double>(DaysSinceEpoch(end->date)) * 1440 + minutes;
    }
    if (ended.size() < 7) return std::nullopt;
    const std::string_view date_part = ended.substr(0, ended.size() - 6);
    auto [at, added] = days_.try_emplace(date_part);
    if (added) {
      try {
        at->second = DaysSinceEpoch(SplitEndTime(ended, today_).date);
      } catch (const Error&) {
        at->second = std::nullopt;
      }
    }
    if (!at->second) return std::nullopt;
    const std::size_t n = ended.size();
    const std::optional<int> hour = TwoDigits(ended[n - 5], ended[n - 4]);
    const std::optional<int> minute = TwoDigits(ended[n - 2], ended[n - 1]);
    if (!hour || *hour > 23) return std::nullopt;
    return static_cast<double>(*at->second) * 1440 + *hour * 60 +
           minute.value_or(0);
  }

 private:
  Date today_;
  std::unordered_map<std::string_view, std::optional<long long>> days_;
};

constexpr int kKinds = 14;  // icons -1 to 5, checked or not

int KindOf(const ScatterPoint& point) {
  return (point.icon + 1) * 2 + (point.checked ? 1 : 0);
}

}  // namespace

PriceScatter BuildScatter(const ResultGrid& grid, Date today,
                          std::size_t max_points) {
  PriceScatter scatter;
  EndTimeReader reader(today);
  std::vector<ScatterPoint> all;
  all.reserve(static_cast<std::size_t>(grid.Count()));
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (int i = 0; i < grid.Count(); ++i) {
    const RowView row = grid.Row(i);
    const std::optional<double> minutes = reader.Minutes(row.ended);
    if (!minutes) {
      ++scatter.undated;
      continue;
    }
    all.push_back({*minutes, row.price64, i,
                   DeviationIcon(row, grid.IconAverage()), row.checked});
    low = std::min(low, row.price64);
    high = std::max(high, row.price64);
  }
  scatter.log_scale = UsesLogScale(low, high);
  if (all.size() <= max_points) {
    scatter.points = std::move(all);
    return scatter;
  }

  // Too many to draw: one point per cell and kind, at its first row.
  scatter.binned = true;
  double first = all.front().minutes;
  double last = first;
  for (const ScatterPoint& point : all) {
    first = std::min(first, point.minutes);
    last = std::max(last, point.minutes);
  }
  const auto y = [&](double price) {
    return scatter.log_scale ? std::log10(price) : price;
  };
  const double y_low = y(low);
  const double x_span = std::max(last - first, 1.0);
  const double y_span = std::max(y(high) - y_low, 1e-9);
  std::vector<int> first_row(
      static_cast<std::size_t>(kScatterColumns) * kScatterRows * kKinds, -1);
  for (std::size_t i = 0; i < all.size(); ++i) {
    const ScatterPoint& point = all[i];
    const int column = std::min(
        static_cast<int>((point.minutes - first) / x_span * kScatterColumns),
        kScatterColumns - 1);
    const int line = std::min(
        static_cast<int>((y(point.price) - y_low) / y_span * kScatterRows),
        kScatterRows - 1);
    const std::size_t cell = (static_cast<std::size_t>(line) * kScatterColumns +
                              static_cast<std::size_t>(column)) *
                                 kKinds +
                             static_cast<std::size_t>(KindOf(point));
    if (first_row[cell] < 0) first_row[cell] = static_cast<int>(i);
  }
  for (const int i : first_row) {
    if (i >= 0) scatter.points.push_back(all[static_cast<std::size_t>(i)]);
  }
  // Kinds share cells: thin to the bound, keeping every kth point.
  if (scatter.points.size() > max_points) {
    const std::size_t keep_every =
        (scatter.points.size() + max_points - 1) / max_points;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < scatter.points.size(); i += keep_every) {
      scatter.points[kept++] = scatter.points[i];
    }
    scatter.points.resize(kept);
  }
  return scatter;
}

}  // namespace tolvane
