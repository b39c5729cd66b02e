// The text of the analysis window: fixed columns for a fixed-pitch font.

#include <string>
#include <string_view>
#include <utility>

#include "analysis/hourly_analysis.h"
#include "util/numbers.h"
#include "util/tessik_glo.h"

namespace tolvane {
namespace {

constexpr const char* kHourlyHeading = "--------- Hourly Analysys ---------";
constexpr const char* kWeekdayHeading = "--------- Weekday Analysys ---------";
constexpr const char* kHourHeader =
    "  HOUR   ITEMS*   BIDS       TOTAL     AVG END      AVG BIDS  ";
constexpr const char* kDayHeader =
    "  DAY   ITEMS*   BIDS       TOTAL     AVG END      AVG BIDS  ";
constexpr const char* kBlankLine = " ";
constexpr const char* kWithoutHour =
    " items had a date but no hour: counted by weekday only.";
constexpr const char* kWithoutDate = " items had no date: left out.";

// A masked field: its literal prefix, the value, then blanks for the digit
// positions the value leaves empty. A longer value is written whole and
// pushes the rest of the line along.
void AppendField(std::string& line, std::string_view prefix,
                 std::string_view value, std::size_t positions) {
  line += prefix;
  line += value;
  if (value.size() < positions) line.append(positions - value.size(), ' ');
}

std::string General(float value, const RegionalSettings& settings) {
  return FormatGeneral(static_cast<double>(value), settings);
}

// The averages are single-precision quotients; an empty bucket has none.
void AppendAverages(std::string& line, const AnalysisBucket& bucket,
                    const RegionalSettings& settings) {
  if (bucket.items == 0) return;
  const float price = bucket.price / bucket.items;
  const float bids = bucket.bids / bucket.items;
  line += '\t';
  line += FormatCurrency(static_cast<double>(price), settings);
  line += "\t    ";
  line += FormatFixed(static_cast<double>(bids), settings);
}

std::string HourLine(int hour, const AnalysisBucket& bucket,
                     const RegionalSettings& settings) {
  std::string line = "    ";
  AppendField(line, "", std::to_string(hour), 2);
  AppendField(line, "   ", General(bucket.items, settings), 5);
  AppendField(line, "   ", General(bucket.bids, settings), 5);
  line += "      ";
  line += FormatCurrency(static_cast<double>(bucket.price), settings);
  AppendAverages(line, bucket, settings);
  return line;
}

std::string WeekdayLine(int day, const AnalysisBucket& bucket,
                        const RegionalSettings& settings) {
  std::string line = "  ";
  line += TessikGlo::DayName(day);
  AppendField(line, "    ", General(bucket.items, settings), 6);
  AppendField(line, "   ", General(bucket.bids, settings), 6);
  line += "   ";
  line += FormatCurrency(static_cast<double>(bucket.price), settings);
  AppendAverages(line, bucket, settings);
  return line;
}

}  // namespace

std::vector<std::string> HourlyWeekdayLines(const AnalysisTables& tables,
                                            const RegionalSettings& settings) {
  std::vector<std::string> lines;
  lines.reserve(42);
  lines.emplace_back(kHourlyHeading);
  lines.emplace_back(kBlankLine);
  for (int hour = 0; hour < 24; ++hour) {
    if (hour % 6 == 0) lines.emplace_back(kHourHeader);
    lines.push_back(
        HourLine(hour, tables.hours[static_cast<std::size_t>(hour)], settings));
  }
  lines.emplace_back(kBlankLine);
  lines.emplace_back(kBlankLine);
  lines.emplace_back(kWeekdayHeading);
  lines.emplace_back(kBlankLine);
  lines.emplace_back(kDayHeader);
  for (int day = 0; day < 7; ++day) {
    lines.push_back(WeekdayLine(
        day, tables.weekdays[static_cast<std::size_t>(day)], settings));
  }
  // Classic rows always have both: their reports end with the weekdays.
  std::string note;
  if (tables.without_hour > 0) {
    note = std::to_string(tables.without_hour) + kWithoutHour;
  }
  if (tables.without_date > 0) {
    if (!note.empty()) note += ' ';
    note += std::to_string(tables.without_date) + kWithoutDate;
  }
  if (!note.empty()) lines.push_back(std::move(note));
  return lines;
}

}  // namespace tolvane
