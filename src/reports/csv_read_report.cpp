#include "reports/csv_read_report.h"

namespace tolvane {
namespace {

// The words for each reason a record gave no row, in CsvLeftOut's order.
constexpr const char* kNoItemWords = "no item number";
constexpr const char* kNoPriceWords = "no price";
constexpr const char* kPriceRangeWords = "a price range";
constexpr const char* kNegativeWords = "a negative amount";
constexpr const char* kUnreadablePriceWords = "an unreadable price";
constexpr const char* kOtherCurrencyWords = "another currency";
constexpr const char* kDuplicateWords = "a duplicate item";
constexpr const char* kReasonWords[kCsvLeftOutCount] = {
    kNoItemWords,   kNoPriceWords,         kPriceRangeWords,
    kNegativeWords, kUnreadablePriceWords, kOtherCurrencyWords,
    kDuplicateWords};

constexpr const char* kReadRows = "Read {rows} from {file}";
constexpr const char* kLeftOut = "; left out {count}: ";
constexpr const char* kUndated =
    " {rows} without a readable end date show \"-\" {lines}.";
constexpr const char* kOneUndated =
    " 1 row without a readable end date shows \"-\" {lines}.";
constexpr const char* kOneRow = "1 row";
constexpr const char* kRows = "{count} rows";
constexpr const char* kOneLine = "(line {line})";
constexpr const char* kLines = "(lines {lines})";
constexpr const char* kMoreLines = "{lines} and {count} more";

std::string Fill(std::string text, std::string_view key,
                 std::string_view value) {
  const std::size_t at = text.find(key);
  if (at != std::string::npos) text.replace(at, key.size(), value);
  return text;
}

std::string RowsText(std::size_t count) {
  return count == 1 ? kOneRow : Fill(kRows, "{count}", std::to_string(count));
}

}  // namespace

void CsvReadReport::Lines::Add(std::size_t line) {
  if (count < kShownLines) first[count] = line;
  ++count;
}

std::string CsvReadReport::Lines::Text() const {
  if (count == 1) return Fill(kOneLine, "{line}", std::to_string(first[0]));
  std::string lines;
  for (std::size_t i = 0; i < count && i < kShownLines; ++i) {
    if (i > 0) lines += ", ";
    lines += std::to_string(first[i]);
  }
  if (count > kShownLines) {
    lines = Fill(Fill(kMoreLines, "{lines}", lines), "{count}",
                 std::to_string(count - kShownLines));
  }
  return Fill(kLines, "{lines}", lines);
}

void CsvReadReport::LeaveOut(CsvLeftOut reason, std::size_t line) {
  left_out_[static_cast<std::size_t>(reason)].Add(line);
}

std::size_t CsvReadReport::LeftOut() const {
  std::size_t count = 0;
  for (const Lines& lines : left_out_) count += lines.count;
  return count;
}

std::string CsvReadReport::Text(std::string_view file_name) const {
  std::string text =
      Fill(Fill(kReadRows, "{rows}", RowsText(rows_)), "{file}", file_name);
  if (const std::size_t count = LeftOut(); count > 0) {
    text += Fill(kLeftOut, "{count}", std::to_string(count));
    bool first = true;
    for (std::size_t reason = 0; reason < kCsvLeftOutCount; ++reason) {
      const Lines& lines = left_out_[reason];
      if (lines.count == 0) continue;
      if (!first) text += ", ";
      first = false;
      text += kReasonWords[reason];
      text += ' ';
      text += lines.Text();
    }
  }
  text += '.';
  if (undated_.count > 0) {
    const std::string undated =
        undated_.count == 1
            ? std::string(kOneUndated)
            : Fill(kUndated, "{rows}", RowsText(undated_.count));
    text += Fill(undated, "{lines}", undated_.Text());
  }
  return text;
}

}  // namespace tolvane
