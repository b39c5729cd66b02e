#include "reports/csv_header_rows.h"

#include <optional>
#include <utility>

#include "reports/csv_values.h"
#include "util/calendar.h"
#include "util/money.h"

namespace tolvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

CsvLeftOut ReasonOf(MoneyProblem problem) {
  switch (problem) {
    case MoneyProblem::kMissing:
      return CsvLeftOut::kNoPrice;
    case MoneyProblem::kRange:
      return CsvLeftOut::kPriceRange;
    case MoneyProblem::kNegative:
      return CsvLeftOut::kNegative;
    default:
      return CsvLeftOut::kUnreadablePrice;
  }
}

}  // namespace

HeaderCsvRows::HeaderCsvRows(CsvRecordSplitter& records, CsvColumns columns,
                             std::string default_currency)
    : records_(records),
      columns_(std::move(columns)),
      default_currency_(std::move(default_currency)) {}

std::string_view HeaderCsvRows::Field(CsvColumn column) const {
  const std::optional<std::size_t>& at = columns_[column];
  if (!at || *at >= record_.fields.size()) return {};
  return record_.fields[*at];
}

CsvRowResult HeaderCsvRows::Next(ParsedItem& item) {
  while (records_.Next(record_)) {
    // A record with text in one field only, and not in the item number or
    // the price, is a note or a total: "83 record(s) downloaded,,,,".
    std::size_t with_text = 0;
    std::size_t last = 0;
    for (std::size_t i = 0; i < record_.fields.size() && with_text < 2; ++i) {
      if (!Trimmed(record_.fields[i]).empty()) {
        ++with_text;
        last = i;
      }
    }
    if (with_text > 1 ||
        (with_text == 1 && (last == columns_[CsvColumn::kItem] ||
                            last == columns_[CsvColumn::kPrice]))) {
      return Convert(item);
    }
  }
  return {};
}

CsvRowResult HeaderCsvRows::Convert(ParsedItem& item) {
  CsvRowResult result{CsvRowResult::Kind::kLeftOut, CsvLeftOut::kNoItem,
                      record_.line, false};
  const std::string_view number = Trimmed(Field(CsvColumn::kItem));
  if (number.empty()) return result;
  MoneyReading reading = ReadSalePrice(Field(CsvColumn::kPrice));
  if (!reading.money) {
    result.reason = ReasonOf(reading.problem);
    return result;
  }
  Money& money = *reading.money;
  // A currency column names the row's currency before the amount's own
  // symbol, and that before the price column's name.
  std::optional<std::string> named;
  if (const std::string_view column = Trimmed(Field(CsvColumn::kCurrency));
      !column.empty()) {
    named = CurrencyOfSymbol(column);
  }
  if (!named && !money.currency.empty()) named = std::move(money.currency);
  if (!named && !columns_.currency.empty()) named = columns_.currency;
  if (currency_.empty()) {
    currency_ = named ? *named : default_currency_;
    currency_named_ = named.has_value();
  } else if (named) {
    if (*named != currency_) {
      result.reason = CsvLeftOut::kOtherCurrency;
      return result;
    }
    currency_named_ = true;
  }
  money.currency = currency_;
  item.Item.assign(number);
  item.Price = GridPriceText(money);
  AssignTitleText(Field(CsvColumn::kTitle), item.Description);
  AssignBidsText(Field(CsvColumn::kBids), item.Bids);
  const std::string_view ended = Trimmed(Field(CsvColumn::kEnded));
  const std::optional<DatedEnd> end =
      ended.empty() ? std::nullopt : ReadSaleDate(ended);
  if (end) {
    AssignDatedEndText(*end, item.Ended);
  } else {
    item.Ended.assign("-");
  }
  result.date_unread = !ended.empty() && !end;
  item.checked = true;
  result.kind = CsvRowResult::Kind::kRow;
  return result;
}

}  // namespace tolvane
