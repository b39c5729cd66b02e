#include "listing/result_grid.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>

#include "listing/price_text.h"
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
  const std::optional<double> price = RowPrice(item.Price, settings);
  if (!price) return std::nullopt;
  return NewRow(item, *price);
}

BidsNumbers ReadBids(std::string_view bids) {
  BidsNumbers numbers;
  numbers.zero_bid = bids == "-";
  numbers.numeric = TessikGlo::IsAllDigits(bids);
  if (numbers.numeric) numbers.value = BidsValue(bids);
  return numbers;
}

RowView NewRow(const ParsedItem& item, double price) {
  RowView row;
  row.item = item.Item;
  row.description = item.Description;
  row.bids = item.Bids;
  row.price = item.Price;
  row.ended = item.Ended;
  row.checked = item.checked;
  row.price64 = price;
  row.price32 = static_cast<float>(price);
  const BidsNumbers bids = ReadBids(item.Bids);
  row.zero_bid = bids.zero_bid;
  row.bids_numeric = bids.numeric;
  row.bids_value = bids.value;
  return row;
}

RowView::operator ResultRow() const {
  ResultRow row;
  row.item = item;
  row.description = description;
  row.bids = bids;
  row.price = price;
  row.ended = ended;
  row.checked = checked;
  row.selected = selected;
  row.price32 = price32;
  row.price64 = price64;
  row.bids_value = bids_value;
  row.bids_numeric = bids_numeric;
  row.zero_bid = zero_bid;
  return row;
}

RowView RowRange::Iterator::operator*() const { return grid_->Row(index_); }

RowRange::Iterator RowRange::end() const {
  return Iterator(grid_, grid_->Count());
}

std::size_t RowRange::size() const {
  return static_cast<std::size_t>(grid_->Count());
}

RowView RowRange::operator[](std::size_t index) const {
  return grid_->Row(static_cast<int>(index));
}

std::uint64_t ResultGrid::Slot::TextSize() const {
  std::uint64_t size = 0;
  for (const std::uint32_t part : sizes) size += part;
  return size;
}

RowView ResultGrid::ViewOf(const Slot& slot) const {
  RowView view;
  std::string_view* const texts[] = {&view.item, &view.description, &view.bids,
                                     &view.price, &view.ended};
  const char* at = texts_.data() + slot.text_at;
  for (std::size_t i = 0; i < 5; ++i) {
    *texts[i] = std::string_view(at, slot.sizes[i]);
    at += slot.sizes[i];
  }
  view.checked = slot.checked;
  view.selected = slot.selected;
  view.price32 = slot.price32;
  view.price64 = slot.price64;
  view.bids_value = slot.bids_value;
  view.bids_numeric = slot.bids_numeric;
  view.zero_bid = slot.zero_bid;
  return view;
}

RowView ResultGrid::Row(int index) const {
  return ViewOf(slots_[Index(index)]);
}

namespace {

// Room for one more element, growing as push_back would, so that the
// push_back after it cannot fail.
template <typename T>
void RoomForOne(std::vector<T>& items) {
  if (items.size() == items.capacity())
    items.reserve(std::max<std::size_t>(16, 2 * items.capacity()));
}

}  // namespace

void ResultGrid::RenumberIds() {
  // A fresh index swapped in whole: a failure on the way keeps the old one.
  CaptionIndex renumbered;
  renumbered.Reserve(slots_.size());
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    renumbered.Insert(ViewOf(slots_[i]).item, static_cast<CaptionIndex::Id>(i));
  }
  captions_ = std::move(renumbered);
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    row_ids_[i] = static_cast<CaptionIndex::Id>(i);
  }
  next_id_ = static_cast<CaptionIndex::Id>(slots_.size());
}

void ResultGrid::Append(const ResultRow& row) {
  Append(RowView(row), caption::MakeKey(row.item));
}

void ResultGrid::Append(const RowView& row, const caption::Key& key) {
  // A row of this very grid is copied out first: making room may move the
  // texts it points into.
  const char* const held = texts_.data();
  for (const std::string_view text :
       {row.item, row.description, row.bids, row.price, row.ended}) {
    if (std::less_equal<>{}(held, text.data()) &&
        std::less<>{}(text.data(), held + texts_.capacity())) {
      Append(static_cast<ResultRow>(row), key);
      return;
    }
  }
  // Ids are never reused until the grid is cleared; after four billion
  // appends the live rows are numbered afresh.
  if (next_id_ == std::numeric_limits<CaptionIndex::Id>::max()) RenumberIds();
  RoomForOne(slots_);
  RoomForOne(row_ids_);
  Slot slot;
  slot.text_at = texts_.size();
  // A text is part of a page or file held in memory, far below 4 GB.
  const std::string_view texts[] = {row.item, row.description, row.bids,
                                    row.price, row.ended};
  std::size_t size = 0;
  for (std::size_t i = 0; i < 5; ++i) {
    slot.sizes[i] = static_cast<std::uint32_t>(texts[i].size());
    size += texts[i].size();
  }
  // One resize and five copies: appending text by text would check the
  // room five times.
  const std::size_t at = texts_.size();
  texts_.resize(at + size);
  char* out = texts_.data() + at;
  for (const std::string_view text : texts) {
    if (!text.empty()) std::memcpy(out, text.data(), text.size());
    out += text.size();
  }
  // The caption goes in last, as a whole or not at all: from here on nothing
  // can fail, so a row that could not be added leaves no caption for the
  // duplicate test to find (only unused bytes of text).
  captions_.Insert(key, next_id_);
  slot.price32 = row.price32;
  slot.price64 = row.price64;
  slot.bids_value = row.bids_value;
  slot.checked = row.checked;
  slot.selected = row.selected;
  slot.bids_numeric = row.bids_numeric;
  slot.zero_bid = row.zero_bid;
  slots_.push_back(slot);
  row_ids_.push_back(next_id_++);
  // An append adds the new row at the end of the pass: the running totals
  // stay exactly those of a fresh pass.
  if (totals_valid_) AddToTotals(totals_, slots_.back());
  if (observer_ != nullptr) observer_->RowsAppended(Count() - 1, Count() - 1);
}

void ResultGrid::Reserve(std::size_t rows, std::size_t text_bytes) {
  slots_.reserve(slots_.size() + rows);
  row_ids_.reserve(row_ids_.size() + rows);
  texts_.reserve(texts_.size() + text_bytes);
  captions_.Reserve(rows);
}

std::vector<MemoryRange> ResultGrid::RoomAhead() const {
  std::vector<MemoryRange> ranges{RoomBeyond(slots_), RoomBeyond(row_ids_),
                                  RoomBeyond(texts_)};
  captions_.RoomAhead(ranges);
  return ranges;
}

const GridTotals& ResultGrid::Totals() const {
  if (!totals_valid_) {
    totals_ = GridTotals{};
    for (const Slot& row : slots_) AddToTotals(totals_, row);
    totals_valid_ = true;
  }
  return totals_;
}

void ResultGrid::SetChecked(int index, bool checked) {
  Slot& row = slots_[Index(index)];
  if (row.checked == checked) return;
  row.checked = checked;
  Invalidate();
  if (observer_ != nullptr) observer_->RowsChanged(index, index);
}

void ResultGrid::SetSelected(int index, bool selected) {
  slots_[Index(index)].selected = selected;
}

void ResultGrid::CheckAll() {
  for (Slot& row : slots_) row.checked = true;
  Invalidate();
  NotifyAllChanged();
}

std::size_t ResultGrid::UncheckIf(
    const std::function<bool(const RowView&)>& match) {
  std::size_t changed = 0;
  for (Slot& row : slots_) {
    if (row.checked && match(ViewOf(row))) {
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
    const std::function<bool(const RowView&)>& match) {
  // One pass: kept rows move up over the removed ones, in order.
  std::vector<bool> removed_ids;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (match(ViewOf(slots_[i]))) {
      if (removed_ids.empty()) removed_ids.resize(next_id_);
      removed_ids[row_ids_[i]] = true;
      dead_bytes_ += slots_[i].TextSize();
      continue;
    }
    if (kept != i) {
      slots_[kept] = slots_[i];
      row_ids_[kept] = row_ids_[i];
    }
    ++kept;
  }
  const std::size_t removed = slots_.size() - kept;
  if (removed == 0) return 0;
  slots_.resize(kept);
  row_ids_.resize(kept);
  if (slots_.empty()) {
    captions_.Clear();
    texts_.clear();
    dead_bytes_ = 0;
    currency_.clear();
  } else {
    captions_.Remove(removed_ids);
    if (dead_bytes_ > texts_.size() - dead_bytes_) DropDeadTexts();
  }
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
  return removed;
}

void ResultGrid::DropDeadTexts() {
  std::string live;
  live.reserve(texts_.size() - dead_bytes_);
  for (Slot& slot : slots_) {
    const std::uint64_t at = live.size();
    live.append(texts_, slot.text_at, slot.TextSize());
    slot.text_at = at;
  }
  texts_ = std::move(live);
  dead_bytes_ = 0;
}

void ResultGrid::Clear() {
  slots_.clear();
  texts_.clear();
  dead_bytes_ = 0;
  row_ids_.clear();
  captions_.Clear();
  next_id_ = 0;
  currency_.clear();
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
}

bool ResultGrid::Reorder(const std::vector<int>& order) {
  // Anything but a permutation of the rows would lose some and double
  // others, and never close its cycles.
  if (order.size() != slots_.size()) return false;
  std::vector<bool> placed(slots_.size());
  for (const int from : order) {
    if (from < 0 || from >= Count() || placed[Index(from)]) return false;
    placed[Index(from)] = true;
  }
  // Applied in place, cycle by cycle: each row moves once, and a large grid
  // needs no second copy of its rows. The texts stay where they are.
  placed.assign(slots_.size(), false);
  for (std::size_t start = 0; start < slots_.size(); ++start) {
    if (placed[start]) continue;
    const Slot row = slots_[start];
    const CaptionIndex::Id id = row_ids_[start];
    std::size_t to = start;
    for (;;) {
      placed[to] = true;
      const auto from = Index(order[to]);
      if (from == start) break;
      slots_[to] = slots_[from];
      row_ids_[to] = row_ids_[from];
      to = from;
    }
    slots_[to] = row;
    row_ids_[to] = id;
  }
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
  return true;
}

void ResultGrid::DropAppendsSince(const AppendMark& mark) {
  currency_ = mark.currency;
  if (mark.rows >= Count()) return;
  // Appends only ever add at the end, of the rows and of their texts.
  std::vector<bool> dropped(next_id_);
  for (std::size_t i = Index(mark.rows); i < row_ids_.size(); ++i) {
    dropped[row_ids_[i]] = true;
  }
  captions_.Remove(dropped);
  slots_.resize(Index(mark.rows));
  row_ids_.resize(Index(mark.rows));
  texts_.resize(mark.text_bytes);
  Invalidate();
  if (observer_ != nullptr) observer_->RowsReset();
}

void ResultGrid::TakeRowsOf(ResultGrid&& other) {
  GridObserver* const observer = observer_;
  *this = std::move(other);
  observer_ = observer;
  if (observer_ != nullptr) observer_->RowsReset();
}

std::optional<std::string> ResultGrid::CurrencyConflict(
    std::string_view currency) const {
  return tolvane::CurrencyConflict(*this, currency);
}

std::optional<std::string> CurrencyConflict(const ResultGrid& grid,
                                            std::string_view currency) {
  if (grid.Count() == 0) return std::nullopt;
  if (!grid.Currency().empty()) {
    if (grid.Currency() == currency) return std::nullopt;
    return std::string(grid.Currency());
  }
  // Rows of classic pages and of the program's own files name no currency;
  // their "$" prices are the US site's dollars.
  if (currency == "USD") return std::nullopt;
  for (const RowView row : grid.Rows()) {
    if (row.price.find('$') != std::string_view::npos) {
      return std::string("USD");
    }
  }
  return std::nullopt;
}

bool ResultGrid::HasCaptionWithPrefix(std::string_view text) const {
  return captions_.HasPrefix(text);
}

void ResultGrid::SetIconAverage(float average) {
  icon_average_ = average;
  NotifyAllChanged();
}

void ResultGrid::NotifyAllChanged() {
  if (observer_ != nullptr && !slots_.empty()) {
    observer_->RowsChanged(0, Count() - 1);
  }
}

}  // namespace tolvane
