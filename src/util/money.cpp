#include "util/money.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace tolvane {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of a blank at `at`: a space, a tab, a no-break space in UTF-8
// or Windows-1252, or a narrow or thin space; 0 for anything else.
std::size_t BlankAt(std::string_view text, std::size_t at) {
  const char c = text[at];
  if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return 1;
  const std::string_view rest = text.substr(at);
  if (rest.starts_with("\xC2\xA0")) return 2;
  if (rest.starts_with("\xE2\x80\xAF") || rest.starts_with("\xE2\x80\x89")) {
    return 3;
  }
  // A lone no-break space of Windows-1252; in UTF-8 0xA0 only follows a
  // lead byte, which the test above or the letters around it consume.
  if (static_cast<unsigned char>(c) == 0xA0 &&
      (at == 0 || (static_cast<unsigned char>(text[at - 1]) & 0xC0) != 0xC0)) {
    return 1;
  }
  return 0;
}

// The text without any blank, ASCII letters in upper case.
std::string Squeezed(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    if (const std::size_t blank = BlankAt(text, at)) {
      at += blank;
      continue;
    }
    const char c = text[at++];
    out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  return out;
}

// Where the amount that begins at the digit at `from` ends: digits, with
// "." "," or "'" between digits, and a blank between digits only where three
// digits follow it as a group ("1 049,00").
std::size_t AmountEnd(std::string_view text, std::size_t from) {
  std::size_t at = from;
  while (at < text.size()) {
    if (IsDigit(text[at])) {
      ++at;
      continue;
    }
    const char c = text[at];
    std::size_t mark = (c == '.' || c == ',' || c == '\'') ? 1 : 0;
    bool blank = false;
    if (mark == 0) {
      mark = BlankAt(text, at);
      blank = mark > 0;
    }
    if (mark == 0 || at + mark >= text.size() || !IsDigit(text[at + mark])) {
      break;
    }
    if (blank) {
      const std::size_t group = at + mark;
      std::size_t digits = 0;
      while (group + digits < text.size() && IsDigit(text[group + digits])) {
        ++digits;
      }
      if (digits != 3) break;
    }
    at += mark;
  }
  return at;
}

bool HasDigit(std::string_view text) {
  for (const char c : text) {
    if (IsDigit(c)) return true;
  }
  return false;
}

// The amount's digits split at its decimal mark; nothing when its marks do
// not make one number.
std::optional<std::pair<std::string, std::string>> SplitAmount(
    std::string_view amount) {
  // Of the marks, "." and "," may be the decimal one; "'" only groups.
  std::size_t last_mark = std::string_view::npos;
  for (std::size_t i = 0; i < amount.size(); ++i) {
    if (amount[i] == '.' || amount[i] == ',') last_mark = i;
  }
  std::size_t decimal = std::string_view::npos;
  if (last_mark != std::string_view::npos) {
    // A mark always stands between digits, so one or two characters after
    // the last are digits.
    const std::size_t after = amount.size() - last_mark - 1;
    if (after == 1 || after == 2) decimal = last_mark;
  }
  const char decimal_mark =
      decimal == std::string_view::npos ? '\0' : amount[decimal];
  std::string units;
  std::string fraction;
  std::size_t group_digits = 0;  // digits since the last group mark
  bool grouped = false;
  for (std::size_t i = 0; i < amount.size(); ++i) {
    const char c = amount[i];
    if (i == decimal) {
      if (grouped && group_digits != 3) return std::nullopt;
      fraction = std::string(amount.substr(i + 1));
      break;
    }
    if (IsDigit(c)) {
      units.push_back(c);
      ++group_digits;
      continue;
    }
    // A group mark: never the decimal mark's character, and only after a
    // first group of one to three digits or a full group of three.
    if (c == decimal_mark) return std::nullopt;
    if (grouped ? group_digits != 3 : (group_digits == 0 || group_digits > 3)) {
      return std::nullopt;
    }
    grouped = true;
    group_digits = 0;
  }
  if (decimal == std::string_view::npos && grouped && group_digits != 3) {
    return std::nullopt;
  }
  const std::size_t first = units.find_first_not_of('0');
  units = first == std::string::npos ? "0" : units.substr(first);
  return std::make_pair(std::move(units), std::move(fraction));
}

bool IsZeroDecimal(std::string_view currency) {
  return currency == "JPY" || currency == "KRW";
}

struct Known {
  const char* symbol;  // squeezed: no blanks, upper case
  const char* code;
};

constexpr Known kSymbols[] = {
    {"$", "USD"},        {"US$", "USD"},          {"USD$", "USD"},
    {"C$", "CAD"},       {"CA$", "CAD"},          {"CAD$", "CAD"},
    {"AU$", "AUD"},      {"A$", "AUD"},           {"AUD$", "AUD"},
    {"NZ$", "NZD"},      {"HK$", "HKD"},          {"S$", "SGD"},
    {"\xC2\xA3", "GBP"}, {"\xA3", "GBP"},         {"\xE2\x82\xAC", "EUR"},
    {"\x80", "EUR"},     {"EURO", "EUR"},         {"\xC2\xA5", "JPY"},
    {"\xA5", "JPY"},     {"\xEF\xBF\xA5", "JPY"}, {"\xE5\x86\x86", "JPY"},
    {"FR.", "CHF"},      {"Z\xC5\x81", "PLN"},
};

// How the figures show a currency other than the user's own.
struct Shown {
  const char* code;
  const char* symbol;
  const char* name;
};

constexpr Shown kShown[] = {
    {"USD", "US $", "US dollars"},
    {"CAD", "C $", "Canadian dollars"},
    {"AUD", "AU $", "Australian dollars"},
    {"NZD", "NZ $", "New Zealand dollars"},
    {"HKD", "HK $", "Hong Kong dollars"},
    {"SGD", "S $", "Singapore dollars"},
    {"GBP", "\xC2\xA3", "pounds sterling"},
    {"EUR", "\xE2\x82\xAC", "euros"},
    {"JPY", "\xC2\xA5", "Japanese yen"},
    {"CHF", "CHF", "Swiss francs"},
    {"PLN", "PLN", "Polish zloty"},
};

}  // namespace

std::optional<std::string> CurrencyOfSymbol(std::string_view text) {
  const std::string squeezed = Squeezed(text);
  for (const Known& known : kSymbols) {
    if (squeezed == known.symbol) return std::string(known.code);
  }
  // Any other three-letter code names itself.
  if (squeezed.size() == 3) {
    for (const char c : squeezed) {
      if (c < 'A' || c > 'Z') return std::nullopt;
    }
    return squeezed;
  }
  return std::nullopt;
}

MoneyReading ReadMoney(std::string_view text,
                       std::string_view default_currency) {
  MoneyReading reading;
  std::size_t from = 0;
  while (from < text.size() && !IsDigit(text[from])) ++from;
  if (from == text.size()) {
    reading.problem = Squeezed(text).empty() ? MoneyProblem::kMissing
                                             : MoneyProblem::kUnreadable;
    return reading;
  }
  const std::size_t end = AmountEnd(text, from);
  std::string_view prefix = text.substr(0, from);
  std::string_view suffix = text.substr(end);
  if (HasDigit(suffix)) {
    reading.problem = MoneyProblem::kRange;
    return reading;
  }
  // A minus sign (ASCII or typeset) or an amount in parentheses.
  const bool parenthesised = prefix.find('(') != std::string_view::npos &&
                             suffix.find(')') != std::string_view::npos;
  if (parenthesised || prefix.find('-') != std::string_view::npos ||
      prefix.find("\xE2\x88\x92") != std::string_view::npos) {
    reading.problem = MoneyProblem::kNegative;
    return reading;
  }
  const auto strip = [](std::string_view part, char mark) {
    const std::size_t at = part.find(mark);
    return at == std::string_view::npos ? std::string(part)
                                        : std::string(part.substr(0, at)) +
                                              std::string(part.substr(at + 1));
  };
  const std::string before = Squeezed(strip(prefix, '('));
  const std::string after = Squeezed(strip(suffix, ')'));
  std::optional<std::string> currency;
  if (!before.empty()) {
    currency = CurrencyOfSymbol(before);
    if (!currency) {
      reading.problem = MoneyProblem::kUnreadable;
      return reading;
    }
  }
  if (!after.empty()) {
    const std::optional<std::string> named = CurrencyOfSymbol(after);
    if (!named || (currency && *currency != *named)) {
      reading.problem = MoneyProblem::kUnreadable;
      return reading;
    }
    currency = named;
  }
  // Blanks inside the amount only ever group; one mark each.
  std::string amount;
  for (std::size_t at = from; at < end;) {
    const std::size_t blank = BlankAt(text, at);
    amount.push_back(blank > 0 ? '\'' : text[at]);
    at += blank > 0 ? blank : 1;
  }
  auto split = SplitAmount(amount);
  if (!split) {
    reading.problem = MoneyProblem::kUnreadable;
    return reading;
  }
  reading.money = Money{currency ? *currency : std::string(default_currency),
                        std::move(split->first), std::move(split->second)};
  return reading;
}

std::string GridPriceText(const Money& money) {
  std::string text;
  AssignGridPriceText(money.currency, money.units, money.fraction, text);
  return text;
}

void AssignGridPriceText(std::string_view currency, std::string_view units,
                         std::string_view fraction, std::string& text) {
  // Sized first and written in place: the usual price costs no more than a
  // copy.
  const bool dollars = currency == "USD";
  const std::size_t size = units.size();
  const std::size_t first = size > 3 ? (size % 3 == 0 ? 3 : size % 3) : size;
  const bool point = !IsZeroDecimal(currency) || !fraction.empty();
  text.resize((dollars ? 1 : 0) + size + (size > 3 ? 1 : 0) +
              (point ? 1 + std::max<std::size_t>(fraction.size(), 2) : 0));
  char* at = text.data();
  if (dollars) *at++ = '$';
  at = std::copy(units.begin(), units.begin() + static_cast<long>(first), at);
  if (size > 3) {
    *at++ = ',';
    at = std::copy(units.begin() + static_cast<long>(first), units.end(), at);
  }
  if (!point) return;
  *at++ = '.';
  at = std::copy(fraction.begin(), fraction.end(), at);
  for (std::size_t i = fraction.size(); i < 2; ++i) *at++ = '0';
}

RegionalSettings SettingsForCurrency(const RegionalSettings& own,
                                     std::string_view currency) {
  if (currency.empty() || currency == own.currency_code) return own;
  RegionalSettings shown = own;
  shown.currency_code = std::string(currency);
  shown.currency_symbol = std::string(currency);
  for (const Shown& known : kShown) {
    if (currency == known.code) shown.currency_symbol = known.symbol;
  }
  // A symbol that ends in a letter stands apart from the amount.
  const char last = shown.currency_symbol.back();
  const bool letters = last >= 'A' && last <= 'Z';
  shown.currency_format = letters ? 2 : 0;
  shown.negative_currency_format = letters ? 9 : 1;
  return shown;
}

std::string CurrencyName(std::string_view currency) {
  for (const Shown& known : kShown) {
    if (currency == known.code) {
      return std::string(known.name) + " (" + known.code + ")";
    }
  }
  return std::string(currency);
}

std::string CurrencyConflictMessage(std::string_view source,
                                    std::string_view incoming,
                                    std::string_view grid) {
  return std::string(source) + " is in " + CurrencyName(incoming) +
         ", but the rows in the grid are in " + CurrencyName(grid) +
         ". A grid holds one currency: choose New Search before reading it.";
}

}  // namespace tolvane
