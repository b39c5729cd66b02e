#include "reports/csv_header_rows.h"

#include <algorithm>
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The usual price of a data set, digits with perhaps a point and one or two
// more ("1907.59"), read without making a Money; the units lose their
// leading zeros. False for anything else, which is read the general way.
bool ReadPlainAmount(std::string_view text, std::string_view& units,
                     std::string_view& fraction) {
  const std::size_t point = text.find('.');
  units = text.substr(0, point);
  fraction = point == std::string_view::npos ? std::string_view()
                                             : text.substr(point + 1);
  if (units.empty() || !std::all_of(units.begin(), units.end(), IsDigit)) {
    return false;
  }
  if (point != std::string_view::npos &&
      (fraction.empty() || fraction.size() > 2 ||
       !std::all_of(fraction.begin(), fraction.end(), IsDigit))) {
    return false;
  }
  while (units.size() > 1 && units.front() == '0') units.remove_prefix(1);
  return true;
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
                             std::string default_currency, bool keep_texts)
    : records_(records),
      columns_(std::move(columns)),
      default_currency_(std::move(default_currency)),
      keep_texts_(keep_texts) {}

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
  const std::string_view price = Field(CsvColumn::kPrice);
  std::string_view units;
  std::string_view fraction;
  MoneyReading reading;
  if (!ReadPlainAmount(price, units, fraction)) {
    reading = ReadSalePrice(price);
    if (!reading.money) {
      result.reason = ReasonOf(reading.problem);
      return result;
    }
    units = reading.money->units;
    fraction = reading.money->fraction;
  }
  // A currency column names the row's currency before the amount's own
  // symbol, and that before the price column's name.
  std::optional<std::string> symbol;
  if (const std::string_view column = Trimmed(Field(CsvColumn::kCurrency));
      !column.empty()) {
    symbol = CurrencyOfSymbol(column);
  }
  const std::string* named = nullptr;
  if (symbol) {
    named = &*symbol;
  } else if (reading.money && !reading.money->currency.empty()) {
    named = &reading.money->currency;
  } else if (!columns_.currency.empty()) {
    named = &columns_.currency;
  }
  if (currency_.empty()) {
    currency_ = named != nullptr ? *named : default_currency_;
    currency_named_ = named != nullptr;
  } else if (named != nullptr) {
    if (*named != currency_) {
      result.reason = CsvLeftOut::kOtherCurrency;
      return result;
    }
    currency_named_ = true;
  }
  item.Item.assign(number);
  AssignGridPriceText(currency_, units, fraction, item.Price);
  AssignBidsText(Field(CsvColumn::kBids), item.Bids);
  const std::string_view ended = Trimmed(Field(CsvColumn::kEnded));
  if (!keep_texts_) {
    item.Ended.assign(ended);
  } else {
    const std::optional<DatedEnd> end =
        ended.empty() ? std::nullopt : ReadSaleDate(ended);
    result.date_unread = !ended.empty() && !end;
    AssignTitleText(Field(CsvColumn::kTitle), item.Description);
    if (end) {
      AssignDatedEndText(*end, item.Ended);
    } else {
      item.Ended.assign(1, '-');
    }
  }
  item.checked = true;
  result.kind = CsvRowResult::Kind::kRow;
  return result;
}

}  // namespace tolvane
