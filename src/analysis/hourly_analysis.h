#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "listing/result_grid.h"
#include "util/calendar.h"
#include "util/regional.h"

namespace tolvane {

// One group of auctions: 32-bit sums, each addend first narrowed from double
// and the sum rounded after every addition, so the cents shown are the ones
// the program has always shown.
struct AnalysisBucket {
  float bids = 0;
  float price = 0;
  float items = 0;
};

// Hour 0 to 23 as the listing's own clock writes it; weekday 0 is Sunday.
struct AnalysisTables {
  std::array<AnalysisBucket, 24> hours{};
  std::array<AnalysisBucket, 7> weekdays{};
  // Sales dated without a time of day: counted by weekday only.
  std::size_t without_hour = 0;
  // Rows whose Ended text is "-" (a file without dates): left out.
  std::size_t without_date = 0;
};

// A counted row whose hour lies outside the day: the table has no bucket
// for it, so the command stops rather than guess.
inline constexpr const char* kInvalidHour = "'%s' is not a valid hour";

// What an Ended text ("Nov-23 18:45") says once its year is inferred.
struct EndTime {
  std::string_view hour_text;  // a view into the Ended text, not converted
  Date date;
  int weekday = 0;  // 0 Sunday to 6 Saturday
};

// Cuts the Ended text by position from both ends and dates it: a month from
// October to December (or an unknown name) seen in January or February
// belongs to last year. Throws Error with the integer text for a day that is
// not a number and with the date text for a date that does not exist.
EndTime SplitEndTime(std::string_view ended, Date today);

// Groups every row, checked or not, by hour and weekday. A row in a dated
// Ended form ("Oct-27-2024", "Oct-27-2024 14:03") is a sale: it counts with
// or without bids ("-" adds none), by weekday only when it has no hour. A
// row whose Ended is "-" has no date and is left out. Every other row's end
// time is the classic form and must date; rows whose Bids text is not all
// digits then add nothing. Throws Error with the user's text at the first
// row that fails.
AnalysisTables AccumulateHourlyWeekday(const RowRange& rows, Date today,
                                       const RegionalSettings& settings);
AnalysisTables AccumulateHourlyWeekday(const std::vector<ResultRow>& rows,
                                       Date today,
                                       const RegionalSettings& settings);

// The 42 lines of the analysis window for the tables, and one more when
// rows were counted by weekday only or left out for want of a date.
std::vector<std::string> HourlyWeekdayLines(const AnalysisTables& tables,
                                            const RegionalSettings& settings);

// The analysis window's text for the grid as it stands, analysed on `today`
// (which decides the year of each end time) with the user's regional
// settings for reading prices and writing amounts. Throws tolvane::Error
// with the user-visible text when any row fails, before any line is made.
std::vector<std::string> HourlyWeekdayReport(const ResultGrid& grid, Date today,
                                             const RegionalSettings& settings);

}  // namespace tolvane
