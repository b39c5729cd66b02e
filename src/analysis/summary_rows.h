#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "listing/caption_index.h"
#include "listing/result_grid.h"
#include "listing/row_sink.h"

namespace tolvane {

// Rows kept for their figures alone: the captions for the duplicate test,
// the summary's totals taken row by row as the grid takes them, and, when
// asked for, the checked rows' prices. The texts are not kept, so a file
// far larger than the grid could hold costs little more than its item
// numbers.
class SummaryRows final : public RowSink {
 public:
  explicit SummaryRows(bool keep_prices) : keep_prices_(keep_prices) {}

  int Count() const override { return totals_.count; }
  bool HasCaptionWithPrefix(const caption::Key& key) const override {
    return captions_.HasPrefix(key);
  }
  void PrefetchCaption(const caption::Key& key) const override {
    captions_.Prefetch(key);
  }
  void Append(const RowView& row, const caption::Key& key) override;
  bool KeepsTexts() const override { return false; }
  // Only the captions and the prices take room: the texts are not kept.
  void Reserve(std::size_t rows, std::size_t) override {
    captions_.Reserve(rows);
    if (keep_prices_) prices_.reserve(prices_.size() + rows);
  }
  std::vector<MemoryRange> RoomAhead() const override {
    std::vector<MemoryRange> ranges{RoomBeyond(prices_)};
    captions_.RoomAhead(ranges);
    return ranges;
  }

  std::string_view Currency() const override {
    return totals_.count == 0 ? std::string_view{} : currency_;
  }
  void SetCurrency(std::string currency) override {
    currency_ = std::move(currency);
  }
  std::optional<std::string> CurrencyConflict(
      std::string_view currency) const override;

  // The totals of a fresh pass over the rows in their order.
  const GridTotals& Totals() const { return totals_; }
  // The checked rows' prices in row order, as CheckedPrices reads a grid.
  std::vector<double>& CheckedPrices() { return prices_; }

 private:
  bool keep_prices_;
  CaptionIndex captions_;
  CaptionIndex::Id next_id_ = 0;
  GridTotals totals_;
  std::vector<double> prices_;
  std::string currency_;
  // Some row's price text holds "$": rows of classic pages and of the
  // program's own files, in US dollars.
  bool dollar_texts_ = false;
};

}  // namespace tolvane
