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

// A record of a merged file made ready for AddItem's rules: its texts, cut
// ahead (on a second thread, while the rows take the records before it in
// order), then the key of its caption and its price and bids, read by
// ReadNumbers. Nothing here depends on the rows already there.
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
  // What the record gave (a row, or for another tool's file one left out),
  // and whether a row had named the file's currency by then.
  CsvRowResult result;
  bool currency_named = false;
  // Another tool's end date, as the file gives it, is still to be read for
  // the result's `date_unread` (rows kept without their texts).
  bool read_date = false;
};

struct CsvRowBatch {
  std::string texts;
  std::vector<PreparedCsvRow> rows;
  // Another tool's file: its currency, once a row has given it.
  std::string currency;
  // The file's bytes read when the batch was made, set by its maker.
  std::size_t bytes_read = 0;

  void Clear();
  // Reads the key, price and bids of every record that gives a row, and an
  // end date still to be read. The
  // cutting is the part that cannot be split; this part is done by the
  // thread that takes the batch, so the two threads share the work.
  void ReadNumbers(const RegionalSettings& settings);
  // A checked row of the record's texts and numbers; its views hold while
  // the batch does.
  RowView Row(const PreparedCsvRow& row) const;
};

// The records of the program's own form, a batch at a time. Without
// `all_texts` only the texts the figures read are kept (item, bids and
// price); the description and the end time are left empty.
class OwnFormBatches {
 public:
  OwnFormBatches(CsvMergeWalk& walk, bool all_texts)
      : walk_(walk), all_texts_(all_texts) {}
  // Fills the batch with up to `rows` records; false once the last is in.
  bool Fill(CsvRowBatch& batch, std::size_t rows);

 private:
  CsvMergeWalk& walk_;
  bool all_texts_;
  bool started_ = false;
};

// The rows of another tool's file, a batch at a time, texts as above.
class HeaderBatches {
 public:
  HeaderBatches(HeaderCsvRows& rows, bool all_texts)
      : rows_(rows), all_texts_(all_texts) {}
  bool Fill(CsvRowBatch& batch, std::size_t rows);

 private:
  HeaderCsvRows& rows_;
  bool all_texts_;
  ParsedItem item_;
};

}  // namespace tolvane
