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

namespace {

std::string Compose(const std::string& average_end_price, int total_items,
                    int total_checked, const std::string& average_bids,
                    const std::string& low, const std::string& high) {
  std::string text;
  text.reserve(256);
  const auto line = [&text](const char* label, const std::string& value) {
    text += label;
    text += value;
    text += "\r\n";
  };
  line(kAverageEndPriceLabel, average_end_price);
  line(kTotalItemsLabel, std::to_string(total_items));
  line(kTotalCheckedLabel, std::to_string(total_checked));
  line(kAverageBidsLabel, average_bids);
  line(kLowLabel, low);
  line(kHighLabel, high);
  text += kCheckedNote;
  return text;
}

}  // namespace

std::string SummaryText(const SummaryFigures& figures,
                        const RegionalSettings& settings) {
  return Compose(FormatCurrency(figures.average_end_price, settings),
                 figures.total_items, figures.total_checked,
                 FormatNumber(figures.average_bids, settings),
                 FormatCurrency(figures.low, settings),
                 FormatCurrency(figures.high, settings));
}

const std::string& SummaryWriter::Currency(Formatted& slot, float value) {
  if (!slot.valid || slot.value != value) {
    slot.text = FormatCurrency(value, settings_);
    slot.value = value;
    slot.valid = true;
  }
  return slot.text;
}

std::string SummaryWriter::Text(const SummaryFigures& figures) {
  if (!average_bids_.valid || average_bids_.value != figures.average_bids) {
    average_bids_.text = FormatNumber(figures.average_bids, settings_);
    average_bids_.value = figures.average_bids;
    average_bids_.valid = true;
  }
  return Compose(Currency(average_end_price_, figures.average_end_price),
                 figures.total_items, figures.total_checked, average_bids_.text,
                 Currency(low_, figures.low), Currency(high_, figures.high));
}

}  // namespace tolvane
