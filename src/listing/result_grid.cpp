#include "listing/result_grid.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

#include "util/numbers.h"
#include "util/tessik_glo.h"

namespace tolvane {
namespace {

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
  // Statistics, icons and sorting run in 32 bits: a price beyond their range
  // would make every figure infinite.
  if (std::fabs(price) > std::numeric_limits<float>::max()) return std::nullopt;
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
  if (next_id_ == std::numeric_limits<CaptionIndex::Id>::max()) {
    // Ids are never reused until the grid is cleared; after four billion
    // appends the live rows are numbered afresh.
    captions_.Clear();
    next_id_ = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      row_ids_[i] = next_id_++;
      captions_.Insert(rows_[i].item, row_ids_[i]);
    }
  }
  captions_.Insert(row.item, next_id_);
  row_ids_.push_back(next_id_++);
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
  NotifyAllChanged();
}

std::size_t ResultGrid::UncheckIf(
    const std::function<bool(const ResultRow&)>& match) {
  std::size_t changed = 0;
  for (ResultRow& row : rows_) {
    if (row.checked && match(row)) {
      row.checked = false;
      ++changed;
    }
  }
  if (changed == 0) return 0;
  Invalidate();
  NotifyAllChanged();
  return changed;
}

std::size_t ResultGrid::RemoveIf(
    const std::function<bool(const ResultRow&)>& match) {
  // One pass: kept rows move up over the removed ones, in order.
  std::vector<bool> removed_ids;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (match(rows_[i])) {
      if (removed_ids.empty()) removed_ids.resize(next_id_);
      removed_ids[row_ids_[i]] = true;
      continue;
    }
    if (kept != i) {
      rows_[kept] = std::move(rows_[i]);
      row_ids_[kept] = row_ids_[i];
    }
    ++kept;
  }
  const std::size_t removed = rows_.size() - kept;
  if (removed == 0) return 0;
  rows_.erase(rows_.begin() + static_cast<long>(kept), rows_.end());
  row_ids_.resize(kept);
  if (rows_.empty()) {
    captions_.Clear();
  } else {
    captions_.Remove(removed_ids);
  }
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
  return removed;
}

void ResultGrid::Clear() {
  rows_.clear();
  row_ids_.clear();
  captions_.Clear();
  next_id_ = 0;
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
}

void ResultGrid::Reorder(const std::vector<int>& order) {
  assert(order.size() == rows_.size());
  // Applied in place, cycle by cycle: each row moves once, and a large grid
  // needs no second copy of its rows.
  std::vector<bool> placed(rows_.size());
  for (std::size_t start = 0; start < rows_.size(); ++start) {
    if (placed[start]) continue;
    ResultRow row = std::move(rows_[start]);
    const CaptionIndex::Id id = row_ids_[start];
    std::size_t to = start;
    for (;;) {
      placed[to] = true;
      const auto from = Index(order[to]);
      if (from == start) break;
      rows_[to] = std::move(rows_[from]);
      row_ids_[to] = row_ids_[from];
      to = from;
    }
    rows_[to] = std::move(row);
    row_ids_[to] = id;
  }
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
}

bool ResultGrid::HasCaptionWithPrefix(std::string_view text) const {
  return captions_.HasPrefix(text);
}

void ResultGrid::SetIconAverage(float average) {
  icon_average_ = average;
  NotifyAllChanged();
}

void ResultGrid::NotifyAllChanged() {
  if (observer_ != nullptr && !rows_.empty()) {
    observer_->RowsChanged(0, Count() - 1);
  }
}

}  // namespace tolvane
