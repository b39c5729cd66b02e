#pragma once

#include <string>

#include "listing/result_grid.h"
#include "util/regional.h"

namespace tolvane {

inline constexpr const char* kAverageEndPriceLabel = "\tAverage End Price:\t\t";
inline constexpr const char* kTotalItemsLabel = "\tTotal Items:\t\t";
inline constexpr const char* kTotalCheckedLabel = "\tTotal Checked:\t\t";
inline constexpr const char* kAverageBidsLabel = "\tAverage number of bids:\t";
inline constexpr const char* kLowLabel = "\tLow:\t\t\t";
inline constexpr const char* kHighLabel = "\tHigh:\t\t\t";
inline constexpr const char* kCheckedNote =
    "\t* Results are computed from checked items.";

// The figures of the summary memo, all over the checked rows except the
// total; 32-bit as they were accumulated.
struct SummaryFigures {
  float average_end_price = 0;
  int total_items = 0;
  int total_checked = 0;
  float average_bids = 0;
  float low = 0;
  float high = 0;
};

// Sum over count, divided once at the end; 0 when nothing is checked.
float AverageEndPrice(const GridTotals& totals);

SummaryFigures FiguresOf(const GridTotals& totals);

// The seven memo lines, each a label followed directly by its value, joined
// by CR LF: the memo takes them in one call, one redraw per summary.
std::string SummaryText(const SummaryFigures& figures,
                        const RegionalSettings& settings);

// Writes the memo text for one window's settings, formatting again only the
// figures that changed since the last text: the summary is rewritten after
// every added row, and the low and high rarely move.
class SummaryWriter {
 public:
  explicit SummaryWriter(const RegionalSettings& settings)
      : settings_(settings) {}
  std::string Text(const SummaryFigures& figures);

 private:
  struct Formatted {
    bool valid = false;
    float value = 0;
    std::string text;
  };
  const std::string& Currency(Formatted& slot, float value);

  RegionalSettings settings_;
  Formatted average_end_price_;
  Formatted average_bids_;
  Formatted low_;
  Formatted high_;
};

}  // namespace tolvane
