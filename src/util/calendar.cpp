#include "util/calendar.h"

#include "util/error.h"

namespace tolvane {

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

Date EncodeDate(int year, int month, int day) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30,
                                  31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
    throw Error(kInvalidDate);
  }
  const int length = kDays[month - 1] + (month == 2 && IsLeapYear(year));
  if (day > length) throw Error(kInvalidDate);
  return {year, month, day};
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

}  // namespace tolvane
