#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "listing/caption_text.h"
#include "listing/result_grid.h"
#include "reports/csv_header_rows.h"
#include "reports/csv_merge.h"
#include "util/regional.h"

namespace tolvane {

// A record of a merged file made ready for AddItem's rules away from the
// grid: its texts, the key of its caption, and its price and bids read.
// Nothing here depends on the rows already in the grid, so records can be
// made ready ahead, on a second thread, while the grid takes the ones
// before them in order.
struct PreparedCsvRow {
  // The texts in the grid's order (item, description, bids, price, ended),
  // one after another in the batch's text from `text_at`.
  std::size_t text_at = 0;
  std::uint32_t sizes[5] = {};
  caption::Key key;
  // The price as AddItem takes it; false when AddItem refuses it.
  bool usable = false;
  double price = 0;
  BidsNumbers bids;
  // Another tool's file: what the record gave, and whether a row had named
  // the file's currency by then.
  CsvRowResult result;
  bool currency_named = false;
};

struct CsvRowBatch {
  std::string texts;
  std::vector<PreparedCsvRow> rows;
  // Another tool's file: its currency, once a row has given it.
  std::string currency;
  // The file's bytes read when the batch was made, set by its maker.
  std::size_t bytes_read = 0;

  void Clear();
  // A checked row of the record's texts and numbers; its views hold while
  // the batch does.
  RowView Row(const PreparedCsvRow& row) const;
};

// The records of the program's own form, a batch at a time.
class OwnFormBatches {
 public:
  OwnFormBatches(CsvMergeWalk& walk, const RegionalSettings& settings)
      : walk_(walk), settings_(settings) {}
  // Fills the batch with up to `rows` records; false once the last is in.
  bool Fill(CsvRowBatch& batch, std::size_t rows);

 private:
  CsvMergeWalk& walk_;
  RegionalSettings settings_;
  bool started_ = false;
};

// The rows of another tool's file, a batch at a time.
class HeaderBatches {
 public:
  HeaderBatches(HeaderCsvRows& rows, const RegionalSettings& settings)
      : rows_(rows), settings_(settings) {}
  bool Fill(CsvRowBatch& batch, std::size_t rows);

 private:
  HeaderCsvRows& rows_;
  RegionalSettings settings_;
  ParsedItem item_;
};

}  // namespace tolvane
