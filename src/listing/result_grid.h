#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "listing/caption_index.h"
#include "listing/parsed_item.h"
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

// Makes a row from a record; nothing when the price text, cleaned, is not a
// number under the regional settings.
std::optional<ResultRow> MakeRow(const ParsedItem& item,
                                 const RegionalSettings& settings);

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
class ResultGrid {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  const ResultRow& Row(int index) const { return rows_[Index(index)]; }
  const std::vector<ResultRow>& Rows() const { return rows_; }

  void Append(ResultRow row);
  void SetChecked(int index, bool checked);
  void SetSelected(int index, bool selected);
  void CheckAll();
  // Clears the check mark of every row that matches, in one pass; returns
  // how many changed.
  std::size_t UncheckIf(const std::function<bool(const ResultRow&)>& match);
  // Removes every row that matches, in one pass; the others keep their
  // order, check marks and selection. Returns how many went.
  std::size_t RemoveIf(const std::function<bool(const ResultRow&)>& match);
  void Clear();
  // Puts the rows in the order given: order[i] is the old index of the row
  // that ends at i.
  void Reorder(const std::vector<int>& order);

  // True when some row's caption begins with the text, compared without
  // regard to letter case. An empty text begins every caption.
  bool HasCaptionWithPrefix(std::string_view text) const;

  const GridTotals& Totals() const;

  // The average end price of the last icon pass: a row's icon is decided
  // from it when drawn, so a pass costs nothing per row.
  void SetIconAverage(float average);
  std::optional<float> IconAverage() const { return icon_average_; }

  void SetObserver(GridObserver* observer) { observer_ = observer; }

 private:
  std::size_t Index(int index) const { return static_cast<std::size_t>(index); }
  void AddToTotals(const ResultRow& row) const;
  void Invalidate() { totals_valid_ = false; }
  void NotifyAllChanged();

  std::vector<ResultRow> rows_;
  // The id each row has in the caption index, in row order.
  std::vector<CaptionIndex::Id> row_ids_;
  CaptionIndex::Id next_id_ = 0;
  CaptionIndex captions_;
  mutable GridTotals totals_;
  mutable bool totals_valid_ = true;
  std::optional<float> icon_average_;
  GridObserver* observer_ = nullptr;
};

}  // namespace tolvane
