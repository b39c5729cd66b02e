#pragma once

#include <optional>
#include <string>
#include <string_view>

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
// The same as a value: nothing for a date that does not exist.
std::optional<Date> TryEncodeDate(int year, int month, int day);
// 0 for Sunday to 6 for Saturday.
int DayOfWeek(const Date& date);
bool IsLeapYear(int year);
// Days from 1970-01-01 to the date (proleptic Gregorian).
long long DaysSinceEpoch(const Date& date);

// The month of a name as sales are dated on pages and in other tools'
// files: English or German, full or abbreviated ("Sep", "Sept.",
// "September", "Mär", "Mrz", "März", "Okt"), in any letter case. Nothing
// for any other text.
std::optional<int> MonthOfName(std::string_view name);

// The grid's Ended texts come in three forms: the classic "Mmm-DD HH:MM",
// whose year the analysis infers, and two that carry their year, written
// for sales read from today's pages and from other tools' files:
// "Mmm-DD-YYYY" (a date only) and "Mmm-DD-YYYY HH:MM".
struct DatedEnd {
  Date date;
  // Hour and minute when the source gave a time of day.
  std::optional<int> hour;
  int minute = 0;
  friend bool operator==(const DatedEnd&, const DatedEnd&) = default;
};

// "Oct-27-2024" or "Oct-27-2024 14:03".
std::string DatedEndText(const DatedEnd& end);
// The same written over `text`, reusing its room: a million rows read from
// a file cost no allocation each.
void AssignDatedEndText(const DatedEnd& end, std::string& text);

// Reads an Ended text of the two dated forms exactly as DatedEndText writes
// them (a real date, hour 00 to 23, minute 00 to 59); nothing for the classic
// form and for any other text.
std::optional<DatedEnd> ReadDatedEnd(std::string_view text);

}  // namespace tolvane
