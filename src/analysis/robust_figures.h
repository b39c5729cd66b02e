#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "listing/result_grid.h"
#include "util/regional.h"

namespace tolvane {

// Figures over the checked prices that one far sale does not pull away: the
// order statistics, the spread and the mean of the rows inside the Tukey
// fences. Every money figure is absent for an empty selection, so that it
// shows as a dash rather than a zero.
struct RobustFigures {
  std::size_t count = 0;
  std::optional<double> mean;
  std::optional<double> median;
  std::optional<double> p10;
  std::optional<double> p25;
  std::optional<double> p75;
  std::optional<double> p90;
  std::optional<double> iqr;
  std::optional<double> low;
  std::optional<double> high;
  std::optional<double> lower_fence;   // p25 - 1.5 iqr
  std::optional<double> upper_fence;   // p75 + 1.5 iqr
  std::optional<std::size_t> outside;  // rows strictly beyond a fence
  std::optional<double> typical;       // mean of the rows inside the fences
};

// The prices of the checked rows in grid order, read from the Price text as
// the summary reads it but kept in double precision.
std::vector<double> CheckedPrices(const ResultGrid& grid);

// The figures of the prices, which are reordered in place. Percentiles
// interpolate linearly between the order statistics around position
// (n - 1) p, counted from zero; each is found by selection, not by sorting.
RobustFigures ComputeRobustFigures(std::vector<double>& prices);

// How the percentiles are computed, for wherever they are shown.
inline constexpr const char* kPercentileNote =
    "Percentiles interpolate linearly at position (n - 1) x p, counted from "
    "zero (as Excel's PERCENTILE.INC and numpy's default).";
// What an absent figure shows.
inline constexpr const char* kNoFigure = "-";

// One figure as shown: its label and its text (a count, or an amount in
// the regional currency form rounded to cents half away from zero).
struct FigureLine {
  const char* key;  // the figure's name in machine-readable output
  const char* label;
  std::string text;
};

// Every figure in the order shown, for the regional settings.
std::vector<FigureLine> RobustFigureLines(const RobustFigures& figures,
                                          const RegionalSettings& settings);

// The figures as one JSON object: counts as integers, money as dollars with
// two decimals, null where there is no value.
std::string RobustFiguresJson(const RobustFigures& figures);

}  // namespace tolvane
