#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "listing/caption_index.h"
#include "listing/parsed_item.h"
#include "listing/row_sink.h"
#include "util/regional.h"

namespace tolvane {

// One row of the results grid: the five texts exactly as they arrived, the
// check mark and selection, and the numbers read from the texts once, when
// the row is made.
struct ResultRow {
  std::string item;  // the caption, column 0
  std::string description;
  std::string bids;
  std::string price;
  std::string ended;
  bool checked = true;
  bool selected = false;

  float price32 = 0;     // CleanPrice of the price text, as statistics use it
  double price64 = 0;    // the same for the price filter
  float bids_value = 0;  // the bids when bids_numeric
  bool bids_numeric = false;  // the bids text passes IsAllDigits
  bool zero_bid = false;      // the bids text is exactly "-"
};

// A row as the grid holds it: views of its texts, which stay valid until
// the grid next changes, and its marks and numbers by value. A ResultRow
// is seen through one, and one is copied into a ResultRow where a row must
// outlive a change of the grid.
struct RowView {
  RowView() = default;
  RowView(const ResultRow& row)  // NOLINT: a row reads as its view
      : item(row.item),
        description(row.description),
        bids(row.bids),
        price(row.price),
        ended(row.ended),
        checked(row.checked),
        selected(row.selected),
        price32(row.price32),
        price64(row.price64),
        bids_value(row.bids_value),
        bids_numeric(row.bids_numeric),
        zero_bid(row.zero_bid) {}
  operator ResultRow() const;  // NOLINT: a copy that owns its texts

  std::string_view item;
  std::string_view description;
  std::string_view bids;
  std::string_view price;
  std::string_view ended;
  bool checked = true;
  bool selected = false;
  float price32 = 0;
  double price64 = 0;
  float bids_value = 0;
  bool bids_numeric = false;
  bool zero_bid = false;
};

class ResultGrid;

// The rows of a grid in order, for range loops and indexing.
class RowRange {
 public:
  class Iterator {
   public:
    using value_type = RowView;
    using difference_type = std::ptrdiff_t;
    Iterator() = default;
    Iterator(const ResultGrid* grid, int index) : grid_(grid), index_(index) {}
    RowView operator*() const;
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator old = *this;
      ++index_;
      return old;
    }
    bool operator==(const Iterator& other) const {
      return index_ == other.index_;
    }

   private:
    const ResultGrid* grid_ = nullptr;
    int index_ = 0;
  };

  explicit RowRange(const ResultGrid& grid) : grid_(&grid) {}
  Iterator begin() const { return Iterator(grid_, 0); }
  Iterator end() const;
  std::size_t size() const;
  bool empty() const { return size() == 0; }
  RowView operator[](std::size_t index) const;

 private:
  const ResultGrid* grid_;
};

// Makes a row from a record; nothing when the price text, cleaned, is not a
// number under the regional settings.
std::optional<ResultRow> MakeRow(const ParsedItem& item,
                                 const RegionalSettings& settings);

// What the statistics read from a Bids text.
struct BidsNumbers {
  float value = 0;        // the bids when numeric
  bool numeric = false;   // the text passes IsAllDigits
  bool zero_bid = false;  // the text is exactly "-"
};
BidsNumbers ReadBids(std::string_view bids);

// A new, checked row of the record's texts (views into it) whose price has
// been read already.
RowView NewRow(const ParsedItem& item, double price);

// Figures over the checked rows, accumulated in 32-bit floating point in
// grid order.
struct GridTotals {
  int count = 0;
  int checked = 0;
  float price_sum = 0;
  float bids_sum = 0;
  float low = 999999.0f;
  float high = 0;
};

// Adds a row (a RowView, or anything with its marks and numbers) at the end
// of the pass the totals were taken in.
template <class Row>
void AddToTotals(GridTotals& totals, const Row& row) {
  ++totals.count;
  if (!row.checked) return;
  ++totals.checked;
  totals.price_sum += row.price32;
  if (row.bids_numeric) totals.bids_sum += row.bids_value;
  if (row.price32 < totals.low) totals.low = row.price32;
  if (row.price32 > totals.high) totals.high = row.price32;
}

// Told about every change so a view can follow.
class GridObserver {
 public:
  virtual ~GridObserver() = default;
  virtual void RowsAppended(int first, int last) = 0;
  // Rows removed, reordered or cleared: everything may have moved.
  virtual void RowsReset() = 0;
  // Check marks or icons changed in the range.
  virtual void RowsChanged(int first, int last) = 0;
};

// The rows of ListView1: the one source of truth that the table shows.
// Running totals follow appends; any other change recomputes them on the
// next read, so they always equal a fresh pass in grid order.
//
// The texts of all rows live in one buffer, each row holding where its own
// begin and how long each is: a million rows cost their bytes and a few
// dozen more each, not five strings and their allocations.
class ResultGrid final : public RowSink {
 public:
  int Count() const override { return static_cast<int>(slots_.size()); }
  RowView Row(int index) const;
  RowRange Rows() const { return RowRange(*this); }

  // Adds the row, or leaves the grid as it was when that fails (no memory).
  void Append(const ResultRow& row);
  // The row's texts are copied; they may not be this grid's own.
  void Append(const RowView& row, const caption::Key& key) override;
  // Makes room for `rows` more rows holding `text_bytes` more bytes of
  // text. The caption table takes its size at once; other room not filled
  // is address space only, until a merge's warmer makes it ready (room a
  // file's estimate overshot then costs memory, some 17 MB in 280 on a
  // million rows).
  void Reserve(std::size_t rows, std::size_t text_bytes) override;
  std::vector<MemoryRange> RoomAhead() const override;
  bool KeepsTexts() const override { return true; }

  void SetChecked(int index, bool checked);
  void SetSelected(int index, bool selected);
  void CheckAll();
  // Clears the check mark of every row that matches, in one pass; returns
  // how many changed.
  std::size_t UncheckIf(const std::function<bool(const RowView&)>& match);
  // Removes every row that matches, in one pass; the others keep their
  // order, check marks and selection. Returns how many went.
  std::size_t RemoveIf(const std::function<bool(const RowView&)>& match);
  void Clear();
  // Puts the rows in the order given: order[i] is the old index of the row
  // that ends at i. False, with nothing changed, when the order is not a
  // permutation of the rows.
  bool Reorder(const std::vector<int>& order);

  // Where the grid stands, so the rows appended after it can be taken back.
  struct AppendMark {
    int rows = 0;
    std::uint64_t text_bytes = 0;
    std::string currency;
  };
  AppendMark MarkAppends() const { return {Count(), texts_.size(), currency_}; }
  // Takes back every row appended since the mark, their captions with them,
  // and the currency named since: a merge stopped part way leaves the grid
  // as it found it. Nothing but appends may come between the two.
  void DropAppendsSince(const AppendMark& mark);
  // Takes the other grid's rows, currency and icon average in place of its
  // own; the observer stays, and is told that everything moved.
  void TakeRowsOf(ResultGrid&& other);

  // True when some row's caption begins with the text, compared without
  // regard to letter case. An empty text begins every caption.
  bool HasCaptionWithPrefix(std::string_view text) const;
  bool HasCaptionWithPrefix(const caption::Key& key) const override {
    return captions_.HasPrefix(key);
  }
  void PrefetchCaption(const caption::Key& key) const override {
    captions_.Prefetch(key);
  }

  const GridTotals& Totals() const;

  // The average end price of the last icon pass: a row's icon is decided
  // from it when drawn, so a pass costs nothing per row.
  void SetIconAverage(float average);
  std::optional<float> IconAverage() const { return icon_average_; }

  void SetObserver(GridObserver* observer) { observer_ = observer; }

  // The ISO code of the currency the prices are in, once a source that
  // names its currency (today's pages, other tools' files) has added rows;
  // empty while no source has named one. Emptying the grid forgets it.
  std::string_view Currency() const override {
    return slots_.empty() ? std::string_view{} : currency_;
  }
  void SetCurrency(std::string currency) override {
    currency_ = std::move(currency);
  }
  std::optional<std::string> CurrencyConflict(
      std::string_view currency) const override;

 private:
  // The tests reach the renumbering that follows four billion appends
  // through it, instead of appending four billion rows.
  friend struct ResultGridIds;

  // A row's place in texts_ and its marks and numbers.
  struct Slot {
    std::uint64_t text_at = 0;
    // Item, description, bids, price, ended, one after another.
    std::uint32_t sizes[5] = {};
    float price32 = 0;
    double price64 = 0;
    float bids_value = 0;
    bool checked = true;
    bool selected = false;
    bool bids_numeric = false;
    bool zero_bid = false;

    std::uint64_t TextSize() const;
  };

  std::size_t Index(int index) const { return static_cast<std::size_t>(index); }
  RowView ViewOf(const Slot& slot) const;
  void Invalidate() { totals_valid_ = false; }
  void NotifyAllChanged();
  void RenumberIds();
  // Rewrites texts_ with the live rows' texts only, once removed rows have
  // left more dead bytes than live ones.
  void DropDeadTexts();

  std::vector<Slot> slots_;
  std::string texts_;
  std::uint64_t dead_bytes_ = 0;
  // The id each row has in the caption index, in row order.
  std::vector<CaptionIndex::Id> row_ids_;
  CaptionIndex::Id next_id_ = 0;
  CaptionIndex captions_;
  mutable GridTotals totals_;
  mutable bool totals_valid_ = true;
  std::optional<float> icon_average_;
  GridObserver* observer_ = nullptr;
  std::string currency_;
};

// The currency of the grid's rows when prices in `currency` may not join
// them: a grid holds one currency. Rows that named none hold US dollars when
// their prices carry "$" and may join any currency otherwise.
std::optional<std::string> CurrencyConflict(const ResultGrid& grid,
                                            std::string_view currency);

}  // namespace tolvane
