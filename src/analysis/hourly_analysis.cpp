#include "analysis/hourly_analysis.h"

#include <optional>

#include "util/error.h"
#include "util/numbers.h"
#include "util/tessik_glo.h"

namespace tolvane {
namespace {

// The shared substring rule on a view: the parts of an end time are only
// looked at, so nothing is copied per row.
std::string_view Part(std::string_view text, long long start, long long count) {
  if (start < 1 || start > static_cast<long long>(text.size()) || count < 0) {
    return {};
  }
  return text.substr(static_cast<std::size_t>(start - 1),
                     static_cast<std::size_t>(count));
}

void AddTo(AnalysisBucket& bucket, double bids, double price) {
  bucket.bids += static_cast<float>(bids);
  bucket.items += 1.0f;
  bucket.price += static_cast<float>(price);
}

}  // namespace

EndTime SplitEndTime(std::string_view ended, Date today) {
  const auto length = static_cast<long long>(ended.size());
  EndTime when;
  when.hour_text = Part(ended, length - 4, 2);
  const std::string_view date_part = Part(ended, 1, length - 6);
  const std::string_view month_name = Part(date_part, 1, 3);
  const std::string_view day_text = Part(date_part, 5, 2);

  const int month = StrToInt(TessikGlo::MonthNumber(month_name));
  int year = today.year;
  if (month > 9 && today.month < 3) --year;
  const int day = StrToInt(day_text);
  when.date = EncodeDate(year, month, day);
  when.weekday = DayOfWeek(when.date);
  return when;
}

namespace {

double PriceOf(const RowView& row, const RegionalSettings& settings) {
  return StrToFloat(TessikGlo::CleanPrice(std::string(row.price)), settings);
}

// A sale whose Ended text carries its year: its date as written, its bids
// when it shows any.
void AddDatedSale(AnalysisTables& tables, const RowView& row,
                  const DatedEnd& end, const RegionalSettings& settings) {
  const double bids =
      TessikGlo::IsAllDigits(row.bids) ? StrToFloat(row.bids, settings) : 0;
  const double price = PriceOf(row, settings);
  if (end.hour) {
    AddTo(tables.hours[static_cast<std::size_t>(*end.hour)], bids, price);
  } else {
    ++tables.without_hour;
  }
  AddTo(tables.weekdays[static_cast<std::size_t>(DayOfWeek(end.date))], bids,
        price);
}

template <typename Rows>
AnalysisTables Accumulate(const Rows& rows, Date today,
                          const RegionalSettings& settings) {
  AnalysisTables tables;
  for (const RowView row : rows) {
    if (row.ended == "-") {
      ++tables.without_date;
      continue;
    }
    if (const std::optional<DatedEnd> end = ReadDatedEnd(row.ended)) {
      AddDatedSale(tables, row, *end, settings);
      continue;
    }
    // The end time is dated before the bids are looked at: a row that is
    // not counted still stops the command when its date is wrong.
    const EndTime when = SplitEndTime(row.ended, today);
    if (!TessikGlo::IsAllDigits(row.bids)) continue;
    const double bids = StrToFloat(row.bids, settings);
    const int hour = StrToInt(when.hour_text);
    if (hour < 0 || hour > 23) {
      throw Error(FormatMessage(kInvalidHour, std::string(when.hour_text)));
    }
    const double price = PriceOf(row, settings);
    AddTo(tables.hours[static_cast<std::size_t>(hour)], bids, price);
    AddTo(tables.weekdays[static_cast<std::size_t>(when.weekday)], bids, price);
  }
  return tables;
}

}  // namespace

AnalysisTables AccumulateHourlyWeekday(const RowRange& rows, Date today,
                                       const RegionalSettings& settings) {
  return Accumulate(rows, today, settings);
}

AnalysisTables AccumulateHourlyWeekday(const std::vector<ResultRow>& rows,
                                       Date today,
                                       const RegionalSettings& settings) {
  return Accumulate(rows, today, settings);
}

std::vector<std::string> HourlyWeekdayReport(const ResultGrid& grid, Date today,
                                             const RegionalSettings& settings) {
  return HourlyWeekdayLines(
      AccumulateHourlyWeekday(grid.Rows(), today, settings), settings);
}

}  // namespace tolvane
