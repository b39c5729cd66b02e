#include "reports/csv_columns.h"

#include <utility>

#include "reports/csv_records.h"
#include "util/money.h"

namespace tolvane {
namespace {

constexpr const char* kItemNames[] = {
    "item number",  "item id",    "item_id", "itemId",
    "ebay item id", "listing id", "item"};
constexpr const char* kTitleNames[] = {"title", "item title", "listing title",
                                       "description", "name"};
// "Item sales" is the seller report's sale amount; its fee columns are
// named otherwise and stay unread.
constexpr const char* kPriceNames[] = {
    "sold price", "sold_price_usd", "sold for",      "sale price",
    "price",      "total price",    "current price", "item sales"};
constexpr const char* kBidsNames[] = {"bids", "bid count", "number of bids"};
constexpr const char* kEndedNames[] = {"sold date", "sale date", "date sold",
                                       "end date",  "ended",     "ended_at",
                                       "end time",  "date"};
constexpr const char* kCurrencyNames[] = {"currency"};

constexpr std::span<const char* const> kNames[kCsvColumnCount] = {
    kItemNames, kTitleNames, kPriceNames,
    kBidsNames, kEndedNames, kCurrencyNames};

// How far into a file its header may lie.
constexpr int kPreambleLines = 32;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kDelimiters[] = {',', ';', '\t'};

constexpr std::size_t kLongestName = 64;

constexpr const char* kNoColumn =
    "{file} has no {column} column (names looked for: {names}).";
constexpr const char* kPriceWord = "price";
constexpr const char* kItemWord = "item number";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The currency a bracketed suffix names. A code in lower case names one
// only when it is a currency the program knows, so "Price (net)" names none.
std::optional<std::string> BracketCurrency(std::string_view inside) {
  std::optional<std::string> currency = CurrencyOfSymbol(inside);
  if (!currency) return std::nullopt;
  const bool lower = inside.find_first_of("abcdefghijklmnopqrstuvwxyz") !=
                     std::string_view::npos;
  if (lower && CurrencyName(*currency) == *currency) return std::nullopt;
  return currency;
}

// A name as compared: lower case, without blanks, underscores, hyphens and
// a bracketed currency at its end, which goes to `currency`.
std::string Folded(std::string_view name, std::string* currency) {
  while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
  if (!name.empty() && (name.back() == ')' || name.back() == ']')) {
    const char open = name.back() == ')' ? '(' : '[';
    const std::size_t at = name.rfind(open);
    if (at != std::string_view::npos) {
      const std::string_view inside = name.substr(at + 1, name.size() - at - 2);
      if (std::optional<std::string> named = BracketCurrency(inside)) {
        if (currency != nullptr) *currency = std::move(*named);
        name = name.substr(0, at);
      }
    }
  }
  std::string folded;
  for (const char c : name) {
    if (IsBlank(c) || c == '_' || c == '-') continue;
    folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a')
                                          : c);
  }
  return folded;
}

// The currency a listed name carries in its last part ("sold_price_usd").
std::string NameCurrency(std::string_view name) {
  const std::size_t at = name.rfind('_');
  if (at == std::string_view::npos || name.size() - at != 4) return {};
  std::string code;
  for (const char c : name.substr(at + 1)) {
    code.push_back(static_cast<char>(c - 'a' + 'A'));
  }
  return code;
}

// The column a folded name belongs to and its place in that column's list.
std::optional<std::pair<std::size_t, std::size_t>> ColumnOf(
    const std::string& folded) {
  static const std::array<std::vector<std::string>, kCsvColumnCount> kFolded =
      [] {
        std::array<std::vector<std::string>, kCsvColumnCount> names;
        for (std::size_t column = 0; column < kCsvColumnCount; ++column) {
          for (const char* name : kNames[column]) {
            names[column].push_back(Folded(name, nullptr));
          }
        }
        return names;
      }();
  for (std::size_t column = 0; column < kCsvColumnCount; ++column) {
    const std::vector<std::string>& names = kFolded[column];
    for (std::size_t rank = 0; rank < names.size(); ++rank) {
      if (folded == names[rank]) return std::make_pair(column, rank);
    }
  }
  return std::nullopt;
}

std::string Fill(std::string text, std::string_view key,
                 std::string_view value) {
  const std::size_t at = text.find(key);
  if (at != std::string::npos) text.replace(at, key.size(), value);
  return text;
}

std::string NoColumn(std::string_view file_name, const char* word,
                     CsvColumn column) {
  std::string names;
  for (const char* name : CsvColumnNames(column)) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  return Fill(Fill(Fill(kNoColumn, "{file}", file_name), "{column}", word),
              "{names}", names);
}

}  // namespace

std::size_t CsvColumns::Found() const {
  std::size_t found = 0;
  for (const std::optional<std::size_t>& column : at) {
    if (column) ++found;
  }
  return found;
}

std::span<const char* const> CsvColumnNames(CsvColumn column) {
  return kNames[static_cast<std::size_t>(column)];
}

CsvColumns RecogniseColumns(const std::vector<std::string_view>& fields) {
  CsvColumns columns;
  std::array<std::size_t, kCsvColumnCount> ranks{};
  std::array<std::string, kCsvColumnCount> currencies;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    // No name, with its currency, is longer.
    if (fields[i].size() > kLongestName) continue;
    std::string currency;
    const std::optional<std::pair<std::size_t, std::size_t>> match =
        ColumnOf(Folded(fields[i], &currency));
    if (!match) continue;
    const auto [column, rank] = *match;
    if (columns.at[column] && ranks[column] <= rank) continue;
    columns.at[column] = i;
    ranks[column] = rank;
    currencies[column] = currency.empty() ? NameCurrency(kNames[column][rank])
                                          : std::move(currency);
  }
  columns.currency =
      std::move(currencies[static_cast<std::size_t>(CsvColumn::kPrice)]);
  return columns;
}

std::optional<CsvHeader> FindCsvHeader(std::string_view start) {
  std::size_t from =
      start.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  for (int line = 1; line <= kPreambleLines && from < start.size(); ++line) {
    std::size_t end = start.find_first_of("\r\n", from);
    if (end == std::string_view::npos) end = start.size();
    const std::string_view text = start.substr(from, end - from);
    from = end;
    if (from < start.size()) {
      from += start.substr(from).starts_with("\r\n") ? 2 : 1;
    }
    CsvHeader header;
    for (const char delimiter : kDelimiters) {
      CsvRecordSplitter splitter(std::string(text), 0, 1, delimiter);
      CsvSplitRecord record;
      splitter.Next(record);
      CsvColumns columns = RecogniseColumns(record.fields);
      if (columns.Found() > header.columns.Found()) {
        header.columns = std::move(columns);
        header.delimiter = delimiter;
      }
    }
    if (header.columns.Found() >= 2) {
      header.data_from = from;
      header.data_line = static_cast<std::size_t>(line) + 1;
      return header;
    }
  }
  return std::nullopt;
}

std::string MissingColumnsMessage(std::string_view file_name,
                                  const CsvColumns& columns) {
  std::string message;
  if (!columns[CsvColumn::kPrice]) {
    message = NoColumn(file_name, kPriceWord, CsvColumn::kPrice);
  }
  if (!columns[CsvColumn::kItem]) {
    if (!message.empty()) message += ' ';
    message += NoColumn(file_name, kItemWord, CsvColumn::kItem);
  }
  return message;
}

}  // namespace tolvane
