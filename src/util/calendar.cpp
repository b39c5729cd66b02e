#include "util/calendar.h"

#include <cstddef>

#include "util/error.h"

namespace tolvane {
namespace {

constexpr const char* kMonthAbbreviations[] = {"Jan", "Feb", "Mar", "Apr",
                                               "May", "Jun", "Jul", "Aug",
                                               "Sep", "Oct", "Nov", "Dec"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Two digit characters as a number, or -1.
int TwoDigits(std::string_view text, std::size_t at) {
  if (!IsDigit(text[at]) || !IsDigit(text[at + 1])) return -1;
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

void AppendTwoDigits(std::string& text, int value) {
  text.push_back(static_cast<char>('0' + value / 10 % 10));
  text.push_back(static_cast<char>('0' + value % 10));
}

// ASCII letters folded to lower case; the bytes of "ä" (UTF-8 or
// Windows-1252) folded to one "a" so "Mär" and "MÄR" read as "mar".
std::string FoldedName(std::string_view name) {
  std::string folded;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c >= 'A' && c <= 'Z') {
      folded.push_back(static_cast<char>(c - 'A' + 'a'));
    } else if (c == 0xC3 && i + 1 < name.size() &&
               (static_cast<unsigned char>(name[i + 1]) == 0xA4 ||
                static_cast<unsigned char>(name[i + 1]) == 0x84)) {
      folded.push_back('a');
      ++i;
    } else if (c == 0xE4 || c == 0xC4) {
      folded.push_back('a');
    } else {
      folded.push_back(static_cast<char>(c));
    }
  }
  if (!folded.empty() && folded.back() == '.') folded.pop_back();
  return folded;
}

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::optional<Date> TryEncodeDate(int year, int month, int day) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30,
                                  31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
    return std::nullopt;
  }
  const int length = kDays[month - 1] + (month == 2 && IsLeapYear(year));
  if (day > length) return std::nullopt;
  return Date{year, month, day};
}

Date EncodeDate(int year, int month, int day) {
  const std::optional<Date> date = TryEncodeDate(year, month, day);
  if (!date) throw Error(kInvalidDate);
  return *date;
}

int DayOfWeek(const Date& date) {
  // Zeller-style count of days since a known Sunday, in the proleptic
  // Gregorian calendar.
  int y = date.year;
  int m = date.month;
  if (m < 3) {
    m += 12;
    --y;
  }
  const long days = 365L * y + y / 4 - y / 100 + y / 400 +
                    (153L * (m - 3) + 2) / 5 + date.day;
  // 0000-03-01 (days = 1) was a Wednesday.
  return static_cast<int>((days + 2) % 7);
}

long long DaysSinceEpoch(const Date& date) {
  // Howard Hinnant's days-from-civil.
  const long long y = date.year - (date.month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long mp = (date.month + 9) % 12;
  const long long doy = (153 * mp + 2) / 5 + date.day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::optional<int> MonthOfName(std::string_view name) {
  // Every month's names, English first; a name is one of these whole.
  static constexpr const char* kNames[12][6] = {
      {"jan", "january", "januar", "jaenner", "janner", nullptr},
      {"feb", "february", "februar", nullptr, nullptr, nullptr},
      {"mar", "march", "marz", "mrz", "maerz", nullptr},
      {"apr", "april", nullptr, nullptr, nullptr, nullptr},
      {"may", "mai", nullptr, nullptr, nullptr, nullptr},
      {"jun", "june", "juni", nullptr, nullptr, nullptr},
      {"jul", "july", "juli", nullptr, nullptr, nullptr},
      {"aug", "august", nullptr, nullptr, nullptr, nullptr},
      {"sep", "sept", "september", nullptr, nullptr, nullptr},
      {"oct", "october", "okt", "oktober", nullptr, nullptr},
      {"nov", "november", nullptr, nullptr, nullptr, nullptr},
      {"dec", "december", "dez", "dezember", nullptr, nullptr},
  };
  const std::string folded = FoldedName(name);
  int month = 0;
  for (const auto& names : kNames) {
    ++month;
    for (const char* candidate : names) {
      if (candidate != nullptr && folded == candidate) return month;
    }
  }
  return std::nullopt;
}

std::string DatedEndText(const DatedEnd& end) {
  std::string text = kMonthAbbreviations[end.date.month - 1];
  text.push_back('-');
  AppendTwoDigits(text, end.date.day);
  text.push_back('-');
  AppendTwoDigits(text, end.date.year / 100);
  AppendTwoDigits(text, end.date.year);
  if (end.hour) {
    text.push_back(' ');
    AppendTwoDigits(text, *end.hour);
    text.push_back(':');
    AppendTwoDigits(text, end.minute);
  }
  return text;
}

std::optional<DatedEnd> ReadDatedEnd(std::string_view text) {
  // "Mmm-DD-YYYY" is 11 characters, "Mmm-DD-YYYY HH:MM" 17.
  if (text.size() != 11 && text.size() != 17) return std::nullopt;
  if (text[3] != '-' || text[6] != '-') return std::nullopt;
  int month = 0;
  for (int m = 1; const char* abbreviation : kMonthAbbreviations) {
    if (text.substr(0, 3) == abbreviation) month = m;
    ++m;
  }
  const int day = TwoDigits(text, 4);
  const int century = TwoDigits(text, 7);
  const int year_of_century = TwoDigits(text, 9);
  if (month == 0 || day < 0 || century < 0 || year_of_century < 0) {
    return std::nullopt;
  }
  const std::optional<Date> date =
      TryEncodeDate(century * 100 + year_of_century, month, day);
  if (!date) return std::nullopt;
  DatedEnd end{*date, std::nullopt, 0};
  if (text.size() == 17) {
    if (text[11] != ' ' || text[14] != ':') return std::nullopt;
    const int hour = TwoDigits(text, 12);
    const int minute = TwoDigits(text, 15);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
    end.hour = hour;
    end.minute = minute;
  }
  return end;
}

}  // namespace tolvane
