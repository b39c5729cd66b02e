#pragma once

#include <cstddef>
#include <string>

#include "listing/parsed_item.h"
#include "reports/csv_columns.h"
#include "reports/csv_records.h"

namespace tolvane {

// Why a record of another tool's file gave no row.
enum class CsvLeftOut {
  kNoItem,
  kNoPrice,
  kPriceRange,
  kNegative,
  kUnreadablePrice,
  kOtherCurrency,
  kDuplicate,
};
inline constexpr std::size_t kCsvLeftOutCount = 7;

// What the next record of a file gave.
struct CsvRowResult {
  enum class Kind { kRow, kLeftOut, kEnd };
  Kind kind = Kind::kEnd;
  CsvLeftOut reason = CsvLeftOut::kNoItem;  // for kLeftOut
  std::size_t line = 0;
  // A row whose end date was given but could not be read: its Ended is "-".
  bool date_unread = false;
};

// Turns the records after a header into the grid's records: the item
// number trimmed, the title on one line, the price in the grid's Price form,
// the bids' digits or "-", and the end date in the dated Ended form ("-"
// without one). A file's prices are in one currency: the first row's, named
// by a currency column, the amount itself or the price column's name, else
// `default_currency`; a row in another is left out.
class HeaderCsvRows {
 public:
  // Without `keep_texts` the title is left as it was, and Ended holds the
  // end date as the file gives it, unread: rows kept for their figures only
  // need to know whether it reads, and that is asked where they are taken.
  HeaderCsvRows(CsvRecordSplitter& records, CsvColumns columns,
                std::string default_currency, bool keep_texts = true);

  // Fills `item` from the next record that holds a row or one left out;
  // blank lines, and notes and totals that have text in one field other
  // than the item number and the price, are passed over.
  CsvRowResult Next(ParsedItem& item);

  // The currency of the file's prices once a row has given one; empty
  // before.
  const std::string& Currency() const { return currency_; }
  // True once a row named that currency rather than taking the default.
  bool CurrencyNamed() const { return currency_named_; }

 private:
  // The field of a column in the record cut last; empty where there is none.
  std::string_view Field(CsvColumn column) const;
  CsvRowResult Convert(ParsedItem& item);

  CsvRecordSplitter& records_;
  CsvSplitRecord record_;
  CsvColumns columns_;
  std::string default_currency_;
  std::string currency_;
  bool currency_named_ = false;
  bool keep_texts_;
};

}  // namespace tolvane
