#include "reports/csv_values.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace tolvane {
namespace {

struct Token {
  enum class Kind { kNumber, kWord, kMark };
  Kind kind = Kind::kMark;
  std::string_view text;
  int value = 0;  // a number's, as far as four digits go
};

// More tokens than any date form has: the text is no date.
constexpr std::size_t kMostTokens = 24;
using Tokens = std::array<Token, kMostTokens>;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// Letters of month and zone names; bytes above ASCII for "Mär".
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         static_cast<unsigned char>(c) >= 0x80;
}
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits the text into numbers, words and single marks; blanks only
// separate. Returns how many tokens, or none when there are too many.
std::optional<std::size_t> Tokenize(std::string_view text, Tokens& tokens) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size();) {
    const char c = text[at];
    if (IsBlank(c)) {
      ++at;
      continue;
    }
    if (count == kMostTokens) return std::nullopt;
    Token& token = tokens[count++];
    std::size_t end = at + 1;
    if (IsDigit(c)) {
      token.kind = Token::Kind::kNumber;
      while (end < text.size() && IsDigit(text[end])) ++end;
      token.value = 0;
      for (std::size_t i = at; i < end && i < at + 4; ++i) {
        token.value = token.value * 10 + (text[i] - '0');
      }
    } else if (IsLetter(c)) {
      token.kind = Token::Kind::kWord;
      while (end < text.size() && IsLetter(text[end])) ++end;
    } else {
      token.kind = Token::Kind::kMark;
    }
    token.text = text.substr(at, end - at);
    at = end;
  }
  return count;
}

// Reads tokens in order; each reading moves on only when it matches.
class Cursor {
 public:
  Cursor(const Tokens& tokens, std::size_t count)
      : tokens_(&tokens), count_(count) {}

  bool AtEnd() const { return at_ == count_; }
  bool Mark(char mark) {
    if (at_ == count_ || (*tokens_)[at_].kind != Token::Kind::kMark ||
        (*tokens_)[at_].text[0] != mark) {
      return false;
    }
    ++at_;
    return true;
  }
  // One of the marks, if one comes next.
  void AnyMark(std::string_view marks) {
    for (const char mark : marks) {
      if (Mark(mark)) return;
    }
  }
  std::optional<int> Number(std::size_t min_digits, std::size_t max_digits) {
    if (at_ == count_ || (*tokens_)[at_].kind != Token::Kind::kNumber) {
      return std::nullopt;
    }
    const std::size_t digits = (*tokens_)[at_].text.size();
    if (digits < min_digits || digits > max_digits) return std::nullopt;
    return (*tokens_)[at_++].value;
  }
  // A year of four digits, or of two in this century.
  std::optional<int> Year() {
    const std::size_t at = at_;
    std::optional<int> year = Number(2, 4);
    if (year && (*tokens_)[at].text.size() == 3) year.reset();
    if (!year) {
      at_ = at;
      return std::nullopt;
    }
    return (*tokens_)[at].text.size() == 2 ? 2000 + *year : *year;
  }
  std::optional<int> Month() {
    if (at_ == count_ || (*tokens_)[at_].kind != Token::Kind::kWord) {
      return std::nullopt;
    }
    const std::optional<int> month = MonthOfName((*tokens_)[at_].text);
    if (month) ++at_;
    return month;
  }
  std::optional<std::string_view> Word() {
    if (at_ == count_ || (*tokens_)[at_].kind != Token::Kind::kWord) {
      return std::nullopt;
    }
    return (*tokens_)[at_++].text;
  }

 private:
  const Tokens* tokens_;
  std::size_t count_;
  std::size_t at_ = 0;
};

bool Folds(std::string_view word, std::string_view lower) {
  if (word.size() != lower.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != lower[i]) return false;
  }
  return true;
}

// The date at the start, in one of the forms; the cursor moves past it.
std::optional<Date> ReadDate(Cursor& in) {
  const Cursor start = in;
  // 2026-09-18, 2026/09/18.
  if (const auto year = in.Number(4, 4)) {
    for (const char mark : {'-', '/', '.'}) {
      Cursor c = in;
      if (!c.Mark(mark)) continue;
      const auto month = c.Number(1, 2);
      if (month && c.Mark(mark)) {
        if (const auto day = c.Number(1, 2)) {
          in = c;
          return TryEncodeDate(*year, *month, *day);
        }
      }
    }
    return std::nullopt;
  }
  // Sep 18, 2026; Sept. 18 2026; Jul-25-26.
  if (const auto month = in.Month()) {
    in.AnyMark(".-/");
    const auto day = in.Number(1, 2);
    if (!day) return std::nullopt;
    in.AnyMark(",-/");
    const auto year = in.Year();
    if (!year) return std::nullopt;
    return TryEncodeDate(*year, *month, *day);
  }
  const auto first = in.Number(1, 2);
  if (!first) return std::nullopt;
  // 18 Sep 2026; 18-Sep-26; 18. Sept. 2026.
  {
    Cursor c = in;
    c.AnyMark(".-/");
    if (const auto month = c.Month()) {
      c.AnyMark(".-/,");
      if (const auto year = c.Year()) {
        in = c;
        return TryEncodeDate(*year, *month, *first);
      }
      return std::nullopt;
    }
  }
  // 09/18/2026 (month first, the US order) and 18.09.2026 (day first).
  for (const char mark : {'/', '.'}) {
    Cursor c = in;
    if (!c.Mark(mark)) continue;
    const auto second = c.Number(1, 2);
    if (!second || !c.Mark(mark)) return std::nullopt;
    const auto year = c.Year();
    if (!year) return std::nullopt;
    in = c;
    return mark == '/' ? TryEncodeDate(*year, *first, *second)
                       : TryEncodeDate(*year, *second, *first);
  }
  in = start;
  return std::nullopt;
}

// The time of day after the date, if any, and a zone after it; false when
// anything else follows the date.
bool ReadTime(Cursor& in, DatedEnd& end) {
  if (in.AtEnd()) return true;
  Cursor c = in;
  if (const auto word = c.Word(); !word || !Folds(*word, "t")) c = in;
  c.AnyMark(",@");
  const auto hour = c.Number(1, 2);
  if (!hour || !c.Mark(':')) return false;
  const auto minute = c.Number(2, 2);
  if (!minute || *minute > 59) return false;
  if (c.Mark(':')) {
    const auto second = c.Number(2, 2);
    if (!second || *second > 60) return false;
    if (c.Mark('.') && !c.Number(1, 9)) return false;
  }
  int clock_hour = *hour;
  Cursor after = c;
  if (const auto word = after.Word();
      word && (Folds(*word, "am") || Folds(*word, "pm"))) {
    if (clock_hour < 1 || clock_hour > 12) return false;
    clock_hour = clock_hour % 12 + (Folds(*word, "pm") ? 12 : 0);
    c = after;
  }
  if (clock_hour > 23) return false;
  // A zone: "Z", "PDT", "UTC", "+02:00", "-0700"; the clock time stands.
  if (!c.AtEnd() && !c.Word()) {
    if (!c.Mark('+') && !c.Mark('-')) return false;
    if (!c.Number(2, 4)) return false;
    if (c.Mark(':') && !c.Number(2, 2)) return false;
  }
  if (!c.AtEnd()) return false;
  end.hour = clock_hour;
  end.minute = *minute;
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The digits at `at` as a number, or -1 where one is no digit.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (!IsDigit(text[i])) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::optional<DatedEnd> ReadIsoSaleDate(std::string_view text) {
  if ((text.size() == 17 || text.size() == 20) && text.back() == 'Z') {
    text.remove_suffix(1);
  }
  if (text.size() != 10 && text.size() != 16 && text.size() != 19) {
    return std::nullopt;
  }
  if (text[4] != '-' || text[7] != '-') return std::nullopt;
  const std::optional<Date> date =
      TryEncodeDate(Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2));
  if (!date) return std::nullopt;
  DatedEnd end{*date, std::nullopt, 0};
  if (text.size() == 10) return end;
  if ((text[10] != 'T' && text[10] != ' ') || text[13] != ':') {
    return std::nullopt;
  }
  const int hour = Digits(text, 11, 2);
  const int minute = Digits(text, 14, 2);
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
  if (text.size() == 19) {
    const int second = Digits(text, 17, 2);
    if (text[16] != ':' || second < 0 || second > 60) return std::nullopt;
  }
  end.hour = hour;
  end.minute = minute;
  return end;
}

namespace {

// Digits, or one to three digits and groups of three after commas.
bool GroupedDigits(std::string_view units) {
  const std::size_t first = units.find(',');
  if (first == std::string_view::npos) {
    return !units.empty() && std::all_of(units.begin(), units.end(), IsDigit);
  }
  if (first == 0 || first > 3 || (units.size() - first) % 4 != 0) {
    return false;
  }
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool comma = i >= first && (i - first) % 4 == 0;
    if (comma ? units[i] != ',' : !IsDigit(units[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<Money> ReadPlainPrice(std::string_view text) {
  Money money;
  if (text.starts_with('$')) {
    money.currency = "USD";
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  std::string_view units = text.substr(0, point);
  if (point != std::string_view::npos) {
    money.fraction = text.substr(point + 1);
    if (money.fraction.empty() || money.fraction.size() > 2 ||
        !std::all_of(money.fraction.begin(), money.fraction.end(), IsDigit)) {
      return std::nullopt;
    }
  }
  if (!GroupedDigits(units)) return std::nullopt;
  money.units.reserve(units.size());
  for (const char c : units) {
    if (c != ',' && (c != '0' || !money.units.empty())) {
      money.units.push_back(c);
    }
  }
  if (money.units.empty()) money.units.assign(1, '0');
  return money;
}

std::optional<DatedEnd> ReadSaleDate(std::string_view text) {
  if (std::optional<DatedEnd> end = ReadIsoSaleDate(text)) return end;
  Tokens tokens;
  const std::optional<std::size_t> count = Tokenize(text, tokens);
  if (!count) return std::nullopt;
  Cursor in(tokens, *count);
  const std::optional<Date> date = ReadDate(in);
  if (!date) return std::nullopt;
  DatedEnd end{*date, std::nullopt, 0};
  if (!ReadTime(in, end)) return std::nullopt;
  return end;
}

MoneyReading ReadSalePrice(std::string_view text) {
  if (std::optional<Money> money = ReadPlainPrice(text)) {
    return {std::move(money), {}};
  }
  return ReadMoney(text, "");
}

void AssignBidsText(std::string_view text, std::string& bids) {
  text = Trimmed(text);
  const bool digits =
      !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
  bids.assign(digits ? text : "-");
}

void AssignTitleText(std::string_view text, std::string& title) {
  text = Trimmed(text);
  title.assign(text);
  // Few titles hold a line break: two fast searches say so.
  if (text.find('\n') == std::string_view::npos &&
      text.find('\r') == std::string_view::npos) {
    return;
  }
  std::replace(title.begin(), title.end(), '\r', ' ');
  std::replace(title.begin(), title.end(), '\n', ' ');
}

}  // namespace tolvane
