#include "analysis/summary_rows.h"

namespace tolvane {

void SummaryRows::Append(const RowView& row, const caption::Key& key) {
  captions_.Insert(key, next_id_++);
  AddToTotals(totals_, row);
  if (keep_prices_ && row.checked) prices_.push_back(row.price64);
  if (row.price.find('$') != std::string_view::npos) dollar_texts_ = true;
}

std::optional<std::string> SummaryRows::CurrencyConflict(
    std::string_view currency) const {
  // The grid's rule, with the rows' "$" kept as one mark.
  if (totals_.count == 0) return std::nullopt;
  if (!currency_.empty()) {
    if (currency_ == currency) return std::nullopt;
    return currency_;
  }
  if (currency == "USD" || !dollar_texts_) return std::nullopt;
  return std::string("USD");
}

}  // namespace tolvane
