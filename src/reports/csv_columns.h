#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The columns of another tool's file that the grid's rows are made of.
enum class CsvColumn { kItem, kTitle, kPrice, kBids, kEnded, kCurrency };
inline constexpr std::size_t kCsvColumnCount = 6;

// Where each column stands in a header's fields.
struct CsvColumns {
  // The field index of each column, by CsvColumn; nothing where the header
  // has none.
  std::array<std::optional<std::size_t>, kCsvColumnCount> at;
  // The currency the price column's name gives ("Sold Price (USD)",
  // "sold_price_usd"); empty when it gives none.
  std::string currency;

  const std::optional<std::size_t>& operator[](CsvColumn column) const {
    return at[static_cast<std::size_t>(column)];
  }
  // How many of the columns the header names.
  std::size_t Found() const;
};

// The names a column goes by, the preferred first: where a header names a
// column more than once, the field with the name earliest in this list is
// the column.
std::span<const char* const> CsvColumnNames(CsvColumn column);

// Finds the columns among a header's fields. A name is compared without
// regard to letter case, blanks, underscores and hyphens, and without a
// currency in brackets after it ("Price (USD)", "Sold for [£]").
CsvColumns RecogniseColumns(const std::vector<std::string_view>& fields);

// The header of another tool's file, found at the start of its text.
struct CsvHeader {
  char delimiter = ',';
  CsvColumns columns;
  // Where the first line after the header begins, and its number.
  std::size_t data_from = 0;
  std::size_t data_line = 0;
};

// Looks through the first lines of a file's text (after a UTF-8 byte-order
// mark) for a header: the first line naming at least two of the columns,
// with the delimiter (comma, semicolon or tab) that makes it name the most.
// Lines before it are a preamble (a title, "sep=,", notes). Nothing when no
// line qualifies: the file is in the program's own form.
std::optional<CsvHeader> FindCsvHeader(std::string_view start);

// What the user reads when a header lacks the price or the item number
// column: which one and the names looked for. Empty when it has both.
std::string MissingColumnsMessage(std::string_view file_name,
                                  const CsvColumns& columns);

}  // namespace tolvane
