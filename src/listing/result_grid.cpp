#include "listing/result_grid.h"

#include <algorithm>
#include <cassert>

#include "util/numbers.h"
#include "util/tessik_glo.h"

namespace tolvane {
namespace {

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The bids value of an all-digit text; line feeds and zero bytes, which the
// digit test lets through, carry no digits.
float BidsValue(std::string_view bids) {
  double value = 0;
  for (char c : bids) {
    if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
  }
  return static_cast<float>(value);
}

}  // namespace

std::optional<ResultRow> MakeRow(const ParsedItem& item,
                                 const RegionalSettings& settings) {
  double price = 0;
  if (!TryStrToFloat(TessikGlo::CleanPrice(item.Price), settings, price)) {
    return std::nullopt;
  }
  ResultRow row;
  row.item = item.Item;
  row.description = item.Description;
  row.bids = item.Bids;
  row.price = item.Price;
  row.ended = item.Ended;
  row.price64 = price;
  row.price32 = static_cast<float>(price);
  row.zero_bid = item.Bids == "-";
  row.bids_numeric = TessikGlo::IsAllDigits(item.Bids);
  if (row.bids_numeric) row.bids_value = BidsValue(item.Bids);
  return row;
}

void ResultGrid::Append(ResultRow row) {
  if (captions_valid_) captions_.insert(Lowered(row.item));
  rows_.push_back(std::move(row));
  // An append adds the new row at the end of the pass: the running totals
  // stay exactly those of a fresh pass.
  if (totals_valid_) AddToTotals(rows_.back());
  if (observer_ != nullptr) observer_->RowsAppended(Count() - 1, Count() - 1);
}

void ResultGrid::AddToTotals(const ResultRow& row) const {
  ++totals_.count;
  if (!row.checked) return;
  ++totals_.checked;
  totals_.price_sum += row.price32;
  if (row.bids_numeric) totals_.bids_sum += row.bids_value;
  if (row.price32 < totals_.low) totals_.low = row.price32;
  if (row.price32 > totals_.high) totals_.high = row.price32;
}

const GridTotals& ResultGrid::Totals() const {
  if (!totals_valid_) {
    totals_ = GridTotals{};
    for (const ResultRow& row : rows_) AddToTotals(row);
    totals_valid_ = true;
  }
  return totals_;
}

void ResultGrid::SetChecked(int index, bool checked) {
  ResultRow& row = rows_[Index(index)];
  if (row.checked == checked) return;
  row.checked = checked;
  Invalidate();
  if (observer_ != nullptr) observer_->RowsChanged(index, index);
}

void ResultGrid::SetSelected(int index, bool selected) {
  rows_[Index(index)].selected = selected;
}

void ResultGrid::CheckAll() {
  for (ResultRow& row : rows_) row.checked = true;
  Invalidate();
  if (observer_ != nullptr && !rows_.empty()) {
    observer_->RowsChanged(0, Count() - 1);
  }
}

std::size_t ResultGrid::RemoveIf(
    const std::function<bool(const ResultRow&)>& match) {
  const auto first =
      std::stable_partition(rows_.begin(), rows_.end(),
                            [&](const ResultRow& row) { return !match(row); });
  const auto removed = static_cast<std::size_t>(rows_.end() - first);
  if (removed == 0) return 0;
  rows_.erase(first, rows_.end());
  captions_valid_ = false;
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
  return removed;
}

void ResultGrid::Clear() {
  rows_.clear();
  captions_.clear();
  captions_valid_ = true;
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
}

void ResultGrid::Reorder(const std::vector<int>& order) {
  assert(order.size() == rows_.size());
  std::vector<ResultRow> sorted;
  sorted.reserve(rows_.size());
  for (int old_index : order)
    sorted.push_back(std::move(rows_[Index(old_index)]));
  rows_ = std::move(sorted);
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
}

bool ResultGrid::HasCaptionWithPrefix(std::string_view text) const {
  if (!captions_valid_) RebuildCaptionIndex();
  const std::string key = Lowered(text);
  const auto it = captions_.lower_bound(key);
  return it != captions_.end() && it->compare(0, key.size(), key) == 0;
}

void ResultGrid::SetIconAverage(float average) {
  icon_average_ = average;
  if (observer_ != nullptr && !rows_.empty()) {
    observer_->RowsChanged(0, Count() - 1);
  }
}

void ResultGrid::RebuildCaptionIndex() const {
  captions_.clear();
  for (const ResultRow& row : rows_) captions_.insert(Lowered(row.item));
  captions_valid_ = true;
}

}  // namespace tolvane
