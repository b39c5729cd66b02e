#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/robust_figures.h"
#include "listing/result_grid.h"
#include "util/calendar.h"

namespace tolvane {

// A price axis turns logarithmic when the dearest price is more than this
// many times the cheapest: one far sale would otherwise squash the rest.
inline constexpr double kLogScaleRatio = 20;
bool UsesLogScale(double low, double high);

// The histogram of the checked prices: bins of equal width (in log price on
// a logarithmic axis), their number chosen from the data by the
// Freedman-Diaconis rule and kept between 20 and 40.
struct PriceHistogram {
  bool log_scale = false;
  std::vector<double> edges;  // one more than the bins, in price, ascending
  std::vector<std::size_t> counts;
};
inline constexpr int kMinBins = 20;
inline constexpr int kMaxBins = 40;
PriceHistogram BuildHistogram(const std::vector<double>& prices,
                              const RobustFigures& figures);

// The title over the histogram: its bins and, when it has one, the
// logarithmic axis.
inline constexpr const char* kHistogramTitle = "Checked prices";
inline constexpr const char* kOneBin = ": 1 bin";
inline constexpr const char* kBins = ": %s bins (Freedman-Diaconis)";
inline constexpr const char* kLogAxisNote = ", logarithmic price axis";
std::string HistogramTitle(const PriceHistogram& histogram);

// How a row's point is drawn: in its deviation icon's colour (icon -1
// before any summary), checked or not. The kinds are numbered 0 to
// kScatterKinds - 1, each with a series of its own.
struct ScatterKind {
  int icon = -1;
  bool checked = true;
  int Index() const { return (icon + 1) * 2 + (checked ? 1 : 0); }
  static ScatterKind OfIndex(int index) {
    return {index / 2 - 1, index % 2 == 1};
  }
  friend bool operator==(const ScatterKind&, const ScatterKind&) = default;
};
inline constexpr int kScatterKinds = 14;  // icons -1 to 5, checked or not

// One drawn point of price over end time. When the rows are too many to draw
// one by one, a point stands for every row of its cell of the plot and of its
// kind; it sits where its first such row lies and names that row.
struct ScatterPoint {
  double minutes = 0;  // the end time, minutes since 1970-01-01
  double price = 0;
  int row = 0;
  ScatterKind kind;
};
struct PriceScatter {
  std::vector<ScatterPoint> points;
  bool log_scale = false;
  bool binned = false;
  std::size_t undated = 0;  // rows left out: their end time does not date
};
// Never more points than this are drawn: 120 by 90 cells of the plot.
inline constexpr int kScatterColumns = 120;
inline constexpr int kScatterRows = 90;
inline constexpr std::size_t kMaxScatterPoints =
    std::size_t{kScatterColumns} * kScatterRows;

// Every row, checked or not, dated as the hourly analysis dates it for
// `today`; a row whose end time does not date is left out and counted.
// Thinned to `max_points`, every kind keeps its share.
PriceScatter BuildScatter(const ResultGrid& grid, Date today,
                          std::size_t max_points = kMaxScatterPoints);

// The points of one kind, in the scatter's order.
struct ScatterSeries {
  ScatterKind kind;
  std::vector<ScatterPoint> points;
};
// One series per kind drawn, unchecked kinds first so that the points of
// checked rows lie on top.
std::vector<ScatterSeries> GroupScatter(const PriceScatter& scatter);

// How many pixels of the plot a minute across and a unit of price up take
// (a unit of log10 price on a logarithmic axis).
struct PlotScale {
  double per_minute = 1;
  double per_price = 1;
  bool log_scale = false;
};
// The row of the series' point nearest to a click, as the eye measures
// distance on the plot: the one clicked, or its twin. Nothing for an empty
// series.
std::optional<int> NearestRow(const ScatterSeries& series, double minutes,
                              double price, const PlotScale& scale);

// The scatter's time axis: the end times with a margin each side, so no
// point sits on the plot's edge, ticks that each name another moment, and
// labels as fine as that takes.
enum class TimeLabels { kDayAndTime, kDay, kMonthAndYear };
struct TimeAxis {
  double from = 0;  // minutes since 1970-01-01
  double to = 0;
  int ticks = 5;
  TimeLabels labels = TimeLabels::kDay;
};
TimeAxis ScatterTimeAxis(double first, double last);

// The scatter's price axis, the prices with a margin below and above (a
// price near 0 takes the axis below 0 rather than sit on its edge).
struct PriceRange {
  double low = 0;
  double high = 0;
};
PriceRange ScatterPriceRange(double low, double high, bool log_scale);

// The decimals of the price axis's labels: whole amounts where every tick
// of a logarithmic axis (a power of ten) is a dollar or more, else as many
// as its smallest tick needs, cents at least.
int PriceAxisDecimals(bool log_scale, double axis_low);

}  // namespace tolvane
