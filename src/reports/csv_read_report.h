#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "reports/csv_header_rows.h"

namespace tolvane {

// What reading another tool's file gave, told to the user in one text:
// "Read 57 rows from sold.csv; left out 3: no price (lines 14, 20), a price
// range (line 31)."
class CsvReadReport {
 public:
  void Read() { ++rows_; }
  void LeaveOut(CsvLeftOut reason, std::size_t line);
  // A row kept whose end date could not be read.
  void DateUnread(std::size_t line) { undated_.Add(line); }

  std::size_t Rows() const { return rows_; }
  std::size_t LeftOut() const;
  std::string Text(std::string_view file_name) const;

 private:
  // The line numbers shown for one reason; the rest are counted.
  static constexpr std::size_t kShownLines = 5;
  struct Lines {
    std::size_t count = 0;
    std::array<std::size_t, kShownLines> first{};
    void Add(std::size_t line);
    // "(line 31)", "(lines 14, 20)", "(lines 1, 2, 3, 4, 5 and 7 more)".
    std::string Text() const;
  };

  std::size_t rows_ = 0;
  std::array<Lines, kCsvLeftOutCount> left_out_{};
  Lines undated_;
};

}  // namespace tolvane
