#include "analysis/summary.h"

#include "util/numbers.h"

namespace tolvane {

float AverageEndPrice(const GridTotals& totals) {
  if (totals.checked == 0) return 0;
  return totals.price_sum / static_cast<float>(totals.checked);
}

SummaryFigures FiguresOf(const GridTotals& totals) {
  SummaryFigures figures;
  figures.total_items = totals.count;
  figures.total_checked = totals.checked;
  // An empty grid shows 0 for the averages, the low and the high; a grid
  // with rows but none checked keeps the low's starting value 999999.
  if (totals.count == 0) return figures;
  figures.average_end_price = AverageEndPrice(totals);
  if (totals.checked != 0) {
    // A checked row without a numeric bids text adds 0 to the sum and 1 to
    // the divisor.
    figures.average_bids = totals.bids_sum / static_cast<float>(totals.checked);
  }
  figures.low = totals.low;
  figures.high = totals.high;
  return figures;
}

std::string SummaryText(const SummaryFigures& figures,
                        const RegionalSettings& settings) {
  // Built in place: the summary is rewritten after every added row.
  std::string text;
  text.reserve(256);
  const auto line = [&text](const char* label, const std::string& value) {
    text += label;
    text += value;
    text += "\r\n";
  };
  line(kAverageEndPriceLabel,
       FormatCurrency(figures.average_end_price, settings));
  line(kTotalItemsLabel, std::to_string(figures.total_items));
  line(kTotalCheckedLabel, std::to_string(figures.total_checked));
  line(kAverageBidsLabel, FormatNumber(figures.average_bids, settings));
  line(kLowLabel, FormatCurrency(figures.low, settings));
  line(kHighLabel, FormatCurrency(figures.high, settings));
  text += kCheckedNote;
  return text;
}

}  // namespace tolvane
