#include "analysis/market_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
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

std::string HistogramTitle(const PriceHistogram& histogram) {
  std::string title = kHistogramTitle;
  const std::size_t bins = histogram.counts.size();
  if (bins == 0) return title;
  title += bins == 1 ? kOneBin : FormatMessage(kBins, std::to_string(bins));
  if (histogram.log_scale) title += kLogAxisNote;
  return title;
}

namespace {

std::size_t Slot(const ScatterKind& kind) {
  return static_cast<std::size_t>(kind.Index());
}

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
    // A time that is not one ("10:5x", "10:75") dates nothing: drawn at
    // the hour, the point would claim a moment the row never gave.
    if (!hour || *hour > 23 || !minute || *minute > 59) return std::nullopt;
    return static_cast<double>(*at->second) * 1440 + *hour * 60 + *minute;
  }

 private:
  Date today_;
  std::unordered_map<std::string_view, std::optional<long long>> days_;
};

// Thins the points to `max_points` within each kind: every kind drawn keeps
// at least one point and its share of the rest, spread evenly over its own
// points, which keep their order.
void ThinWithinKinds(std::vector<ScatterPoint>& points,
                     std::size_t max_points) {
  if (points.size() <= max_points) return;
  std::array<std::size_t, kScatterKinds> count{};
  for (const ScatterPoint& point : points) ++count[Slot(point.kind)];
  const auto occupied = static_cast<std::size_t>(std::count_if(
      count.begin(), count.end(), [](std::size_t n) { return n > 0; }));
  const std::size_t spare = max_points > occupied ? max_points - occupied : 0;
  std::array<std::size_t, kScatterKinds> quota{};
  std::size_t given = 0;
  for (std::size_t k = 0; k < count.size(); ++k) {
    if (count[k] == 0 || given == max_points) continue;
    quota[k] = 1 + count[k] * spare / points.size();
    given += quota[k];
  }
  // The j-th point of a kind is kept when j * quota / count steps on: quota
  // points out of count, evenly spaced, the first among them.
  std::array<std::size_t, kScatterKinds> seen{};
  std::size_t kept = 0;
  for (const ScatterPoint& point : points) {
    const std::size_t k = Slot(point.kind);
    const std::size_t j = seen[k]++;
    if (j * quota[k] % count[k] < quota[k]) points[kept++] = point;
  }
  points.resize(kept);
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
    all.push_back({*minutes,
                   row.price64,
                   i,
                   {DeviationIcon(row, grid.IconAverage()), row.checked}});
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
      static_cast<std::size_t>(kScatterColumns) * kScatterRows * kScatterKinds,
      -1);
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
                                 kScatterKinds +
                             Slot(point.kind);
    if (first_row[cell] < 0) first_row[cell] = static_cast<int>(i);
  }
  for (const int i : first_row) {
    if (i >= 0) scatter.points.push_back(all[static_cast<std::size_t>(i)]);
  }
  // Kinds share cells: thinned to the bound.
  ThinWithinKinds(scatter.points, max_points);
  return scatter;
}

std::vector<ScatterSeries> GroupScatter(const PriceScatter& scatter) {
  std::array<std::vector<ScatterPoint>, kScatterKinds> by_kind;
  for (const ScatterPoint& point : scatter.points)
    by_kind[Slot(point.kind)].push_back(point);
  std::vector<ScatterSeries> series;
  for (const bool checked : {false, true}) {
    for (int index = 0; index < kScatterKinds; ++index) {
      const ScatterKind kind = ScatterKind::OfIndex(index);
      std::vector<ScatterPoint>& points = by_kind[Slot(kind)];
      if (kind.checked == checked && !points.empty())
        series.push_back({kind, std::move(points)});
    }
  }
  return series;
}

std::optional<int> NearestRow(const ScatterSeries& series, double minutes,
                              double price, const PlotScale& scale) {
  const auto y = [&](double value) {
    return (scale.log_scale ? std::log10(value) : value) * scale.per_price;
  };
  const double clicked_y = y(price);
  std::optional<int> best;
  double best_distance = std::numeric_limits<double>::infinity();
  for (const ScatterPoint& point : series.points) {
    const double dx = (point.minutes - minutes) * scale.per_minute;
    const double dy = y(point.price) - clicked_y;
    const double distance = dx * dx + dy * dy;
    if (distance < best_distance) {
      best_distance = distance;
      best = point.row;
    }
  }
  return best;
}

TimeAxis ScatterTimeAxis(double first, double last) {
  constexpr double kDay = 1440;
  // A thirtieth of the span each side, an hour at least: a point's marker
  // stays inside however long the span.
  const double margin = std::max((last - first) / 30, 60.0);
  TimeAxis axis{first - margin, last + margin, 5, TimeLabels::kDay};
  const double span = axis.to - axis.from;
  // Five ticks over four days or more are a day or more apart and name five
  // days; over less, they need the time of day; over a year or more, the
  // month and year (a day of one year and the same day of the next would
  // read alike).
  if (span < 4 * kDay) {
    axis.labels = TimeLabels::kDayAndTime;
  } else if (span >= 365 * kDay) {
    axis.labels = TimeLabels::kMonthAndYear;
  }
  return axis;
}

PriceRange ScatterPriceRange(double low, double high, bool log_scale) {
  if (log_scale) {
    // A twentieth of the decades each side, a fifth of the price at least.
    const double factor = std::max(std::pow(high / low, 1.0 / 20), 1.2);
    return {low / factor, high * factor};
  }
  const double margin = std::max((high - low) / 20, 1.0);
  // The axis starts at 0 where the cheapest point stays clear of it, and
  // below 0 where it would sit on the edge.
  const double from = low >= margin       ? low - margin
                      : low >= margin / 2 ? 0
                                          : low - margin;
  return {from, high + margin};
}

int PriceAxisDecimals(bool log_scale, double axis_low) {
  if (!log_scale) return 2;
  // The smallest tick is the first power of ten at or above the low end.
  const int smallest = static_cast<int>(std::ceil(std::log10(axis_low)));
  return smallest >= 0 ? 0 : std::max(2, -smallest);
}

}  // namespace tolvane
