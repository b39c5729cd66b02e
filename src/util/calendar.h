#pragma once

namespace tolvane {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const Date&, const Date&) = default;
};

inline constexpr const char* kInvalidDate = "Invalid argument to date encode";

// Validates a Gregorian date (years 1 to 9999); throws Error with
// kInvalidDate.
Date EncodeDate(int year, int month, int day);
// 0 for Sunday to 6 for Saturday.
int DayOfWeek(const Date& date);
bool IsLeapYear(int year);

}  // namespace tolvane
