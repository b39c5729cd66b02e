#pragma once

#include <cstddef>
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

// One drawn point of price over end time. When the rows are too many to draw
// one by one, a point stands for every row of its cell of the plot and of its
// kind; it sits where its first such row lies and names that row.
struct ScatterPoint {
  double minutes = 0;  // the end time, minutes since 1970-01-01
  double price = 0;
  int row = 0;
  int icon = -1;  // the row's deviation icon, -1 before any summary
  bool checked = true;
};
struct PriceScatter {
  std::vector<ScatterPoint> points;
  bool log_scale = false;
  bool binned = false;
  std::size_t undated = 0;  // rows left out: their end time does not date
};
// Never more points than this are drawn: 160 by 120 cells of the plot.
inline constexpr int kScatterColumns = 160;
inline constexpr int kScatterRows = 120;
inline constexpr std::size_t kMaxScatterPoints =
    std::size_t{kScatterColumns} * kScatterRows;

// Every row, checked or not, dated as the hourly analysis dates it for
// `today`; a row whose end time does not date is left out and counted.
PriceScatter BuildScatter(const ResultGrid& grid, Date today,
                          std::size_t max_points = kMaxScatterPoints);

}  // namespace tolvane
