#include "analysis/hourly_analysis.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fakes.h"
#include "util/error.h"

namespace tolvane {
namespace {

const RegionalSettings kUs = RegionalSettings::UnitedStates();
constexpr Date kJanuary{2026, 1, 10};
constexpr Date kMarch{2026, 3, 10};

ResultRow Row(const std::string& bids, const std::string& price,
              const std::string& ended, bool checked = true) {
  ResultRow row;
  row.item = "1";
  row.bids = bids;
  row.price = price;
  row.ended = ended;
  row.checked = checked;
  return row;
}

std::string ErrorOf(const std::vector<ResultRow>& rows, Date today) {
  try {
    AccumulateHourlyWeekday(rows, today, kUs);
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}

// Catches a wrong cut of the end time (hour, day, month taken at the wrong
// place), a wrong year inference around the turn of the year, and a
// weekday counted from the wrong day.
TEST(HourlyAnalysisTest, EndTimesAreCutByPositionAndDated) {
  struct Case {
    const char* ended;
    Date today;
    Date date;
    int weekday;
    const char* hour;
  };
  const Case cases[] = {
      {"Nov-23 18:45", kJanuary, {2025, 11, 23}, 0, "18"},
      {"Nov-23 18:45", kMarch, {2026, 11, 23}, 1, "18"},
      {"Sep-23 18:45", kJanuary, {2026, 9, 23}, 3, "18"},
      {"Dec-31 23:59", {2026, 2, 28}, {2025, 12, 31}, 3, "23"},
      {"Nov-3 18:45", kMarch, {2026, 11, 3}, 2, "18"},
      {"Feb-29 10:00", {2028, 3, 1}, {2028, 2, 29}, 2, "10"},
      {"Jan-10 00:05", kMarch, {2026, 1, 10}, 6, "00"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ended);
    const EndTime when = SplitEndTime(c.ended, c.today);
    EXPECT_EQ(when.date, c.date);
    EXPECT_EQ(when.weekday, c.weekday);
    EXPECT_EQ(when.hour_text, c.hour);
  }
}

// Catches an end time that is let through when it cannot be dated (also on
// a row that would not be counted), a counted row whose hour, bids or price
// does not convert being let through, an hour outside the day written
// outside the table, and an error text that differs from the one shown.
TEST(HourlyAnalysisTest, RowsThatCannotBeDatedOrConvertedStopWithTheirText) {
  struct Case {
    ResultRow row;
    Date today;
    const char* error;
  };
  const char* const kEncode = "Invalid argument to date encode";
  const Case cases[] = {
      {Row("-", "$1.00", "nov-23 18:45"), kMarch, kEncode},
      {Row("-", "$1.00", "notAvail"), kMarch,
       "'' is not a valid integer value"},
      {Row("-", "$1.00", ""), kMarch, "'' is not a valid integer value"},
      {Row("-", "$1.00", "Feb-29 10:00"), kMarch, kEncode},
      // Inferred into 2027, which is no leap year.
      {Row("-", "$1.00", "Feb-29 10:00"), {2027, 1, 5}, kEncode},
      {Row("-", "$1.00", "Nov-00 10:00"), kMarch, kEncode},
      {Row("-", "$1.00", "Apr-31 10:00"), kMarch, kEncode},
      {Row("-", "$1.00", "Nov-x3 18:45"), kMarch,
       "'x3' is not a valid integer value"},
      {Row("1", "$1.00", "Nov-23 24:00"), kMarch, "'24' is not a valid hour"},
      {Row("1", "$1.00", "Nov-23 -1:45"), kMarch, "'-1' is not a valid hour"},
      {Row("1", "$1.00", "Nov-23 xx:45"), kMarch,
       "'xx' is not a valid integer value"},
      {Row("1", "$1,234,567.00", "Nov-23 18:45"), kMarch,
       "'1234,567.00' is not a valid floating point value"},
      {Row("12\n", "$1.00", "Nov-23 18:45"), kMarch,
       "'12\n' is not a valid floating point value"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row.ended + " " + c.row.price);
    EXPECT_EQ(ErrorOf({Row("1", "$1.00", "Nov-23 10:00"), c.row}, c.today),
              c.error);
  }
}

// Catches a row counted in the wrong bucket, unchecked rows left out, rows
// without bids counted, and a count or hour error that is swallowed or
// taken from a row that is not counted.
TEST(HourlyAnalysisTest, CountedRowsLandInTheirHourAndWeekday) {
  const std::vector<ResultRow> rows = {
      Row("3", "$10.00", "Nov-23 18:45", /*checked=*/false),
      Row("-", "$99.00", "Nov-23 18:45"),
      Row("", "$99.00", "Nov-23 18:45"),
      Row("-", "$1,234,567.00", "Nov-23 xx:45"),
  };
  for (const auto& [today, weekday] :
       {std::pair{kJanuary, 0}, std::pair{kMarch, 1}}) {
    const AnalysisTables t = AccumulateHourlyWeekday(rows, today, kUs);
    for (int day = 0; day < 7; ++day)
      EXPECT_EQ(t.weekdays[day].items, day == weekday ? 1 : 0) << day;
    EXPECT_EQ(t.hours[18].items, 1);
    EXPECT_EQ(t.hours[18].bids, 3);
    EXPECT_EQ(t.hours[18].price, 10);
    EXPECT_EQ(t.weekdays[weekday].bids, 3);
    EXPECT_EQ(t.weekdays[weekday].price, 10);
  }
}

// Catches a dated sale left out for want of bids or counted in an hour it
// does not have, a year inferred instead of read, a "-" end time that stops
// the command instead of being left out, and the note line missing, shown
// for classic rows or miscounted.
TEST(HourlyAnalysisTest, DatedSalesCountWithOrWithoutBids) {
  const std::vector<ResultRow> rows = {Row("-", "$10.00", "Oct-27-2024 14:03"),
                                       Row("3", "$20.00", "Oct-27-2024"),
                                       Row("", "7.00", "Mar-07-2026"),
                                       Row("2", "$1.00", "-"),
                                       Row("-", "$99.00", "Nov-23 18:45"),
                                       Row("-", "$2.00", "-")};
  for (const Date today : {kJanuary, kMarch}) {
    const AnalysisTables t = AccumulateHourlyWeekday(rows, today, kUs);
    EXPECT_EQ(t.hours[14].items, 1);
    EXPECT_EQ(t.hours[14].bids, 0);
    EXPECT_EQ(t.hours[14].price, 10);
    EXPECT_EQ(t.weekdays[0].items, 2);  // Sunday, October 27, 2024
    EXPECT_EQ(t.weekdays[0].bids, 3);
    EXPECT_EQ(t.weekdays[0].price, 30);
    EXPECT_EQ(t.weekdays[6].items, 1);  // Saturday, March 7, 2026
    EXPECT_EQ(t.weekdays[6].price, 7);
    EXPECT_EQ(t.without_hour, 2u);
    EXPECT_EQ(t.without_date, 2u);
    const std::vector<std::string> lines = HourlyWeekdayLines(t, kUs);
    ASSERT_EQ(lines.size(), 43u);
    EXPECT_EQ(lines.back(),
              "2 items had a date but no hour: counted by weekday only. 2 "
              "items had no date: left out.");
  }
  AnalysisTables t;
  t.without_hour = 1;
  EXPECT_EQ(HourlyWeekdayLines(t, kUs).back(),
            "1 items had a date but no hour: counted by weekday only.");
  t = {};
  t.without_date = 1;
  EXPECT_EQ(HourlyWeekdayLines(t, kUs).back(),
            "1 items had no date: left out.");
}

// The whole window for a small grid: headings, the four hour headers,
// padded cells, tabs, averages only where there are items, rounding of the
// averages, and rows checked or not.
TEST(HourlyAnalysisTest, ReportForASmallGrid) {
  ResultGrid grid;
  grid.Append(Row("3", "$10.00", "Mar-02 09:15"));
  grid.Append(Row("9", "$30.50", "Mar-03 09:59", /*checked=*/false));
  grid.Append(Row("0", "$5.00", "Mar-04 09:00"));
  grid.Append(Row("-", "$1.00", "Mar-04 09:00"));
  grid.Append(Row("12", "$1,234.56", "Feb-28 23:59"));
  grid.Append(Row("1", "$0.99", "Jan-10 00:05"));
  grid.Append(Row("2", "$7.25", "Nov-23 18:45"));
  // Hours without items read "0 0 $0.00" and have no averages.
  const std::map<int, std::string> hours = {
      {0, "1       1          $0.99\t$0.99\t    1.00"},
      {9, "3       12         $45.50\t$15.17\t    4.00"},
      {18, "1       2          $7.25\t$7.25\t    2.00"},
      {23, "1       12         $1,234.56\t$1,234.56\t    12.00"}};
  const std::string header =
      "  HOUR   ITEMS*   BIDS       TOTAL     AVG END      AVG BIDS  ";
  std::vector<std::string> expected = {"--------- Hourly Analysys ---------",
                                       " "};
  for (int hour = 0; hour < 24; ++hour) {
    if (hour % 6 == 0) expected.push_back(header);
    std::string cell = std::to_string(hour);
    cell.resize(5, ' ');
    expected.push_back(
        "    " + cell +
        (hours.contains(hour) ? hours.at(hour) : "0       0          $0.00"));
  }
  expected.insert(
      expected.end(),
      {" ", " ", "--------- Weekday Analysys ---------", " ",
       "  DAY   ITEMS*   BIDS       TOTAL     AVG END      AVG BIDS  ",
       "  SUN    0        0        $0.00",
       "  MON    2        5        $17.25\t$8.63\t    2.50",
       "  TUE    1        9        $30.50\t$30.50\t    9.00",
       "  WED    1        0        $5.00\t$5.00\t    0.00",
       "  THU    0        0        $0.00", "  FRI    0        0        $0.00",
       "  SAT    2        13       $1,235.55\t$617.78\t    6.50"});
  const std::vector<std::string> first = HourlyWeekdayReport(grid, kMarch, kUs);
  EXPECT_EQ(first, expected);
  EXPECT_EQ(HourlyWeekdayReport(grid, kMarch, kUs), first);
}

// Catches values cut to their field: a six-digit count or total pushes the
// rest of the line to the right.
TEST(HourlyAnalysisTest, LongValuesPushTheLineRight) {
  AnalysisTables t;
  t.hours[9] = {/*bids=*/1234567, /*price=*/123456, /*items=*/123456};
  t.weekdays[2] = {/*bids=*/1234567, /*price=*/1, /*items=*/1234567};
  const std::vector<std::string> lines = HourlyWeekdayLines(t, kUs);
  EXPECT_EQ(lines[13],
            "    9    123456   1234567      $123,456.00\t$1.00\t    10.00");
  EXPECT_EQ(lines[37], "  TUE    1234567   1234567   $1.00\t$0.00\t    1.00");

  // The same through rows, a bid count of six digits in one hour; and sums
  // kept in single precision: past 2^24 the total cannot take 0.75 more.
  const std::vector<std::string> from_rows = HourlyWeekdayLines(
      AccumulateHourlyWeekday({Row("123456", "16777216.00", "Mar-02 09:15"),
                               Row("1", "$0.75", "Mar-02 09:30")},
                              kMarch, kUs),
      kUs);
  EXPECT_EQ(from_rows[13],
            "    9    2       123457      $16,777,216.00\t$8,388,608.00\t    "
            "61728.50");
}

// The command on the windows: an empty grid leaves everything alone, a
// report replaces the memo's text in place (not appended to it), dates by
// the clock and shows the window again when it is already open. Catches a
// failing row that clears or half-fills the memo, shows the window, or
// reaches the user without the default report's form.
TEST(HourlyAnalysisCommandTest, FillsTheAnalysisWindow) {
  fakes::FakeApp f;
  f.Memo1.lines = {"Memo1"};
  f.Dispatch([&] { f.FrmPrice->GetHourlyandWeekdayStats1Click({"x"}); });
  EXPECT_EQ(f.Memo1.lines, std::vector<std::string>{"Memo1"});
  EXPECT_EQ(f.ana_form.shows, 0);

  f.clock.today = kJanuary;
  f.FrmPrice->ListView1().Append(Row("4", "$8.00", "Nov-23 18:45", false));
  for (int run = 1; run <= 2; ++run) {
    f.Dispatch([&] {
      f.FrmPrice->GetHourlyandWeekdayStats1Click({"SpdBttnGetDateStats"});
    });
    ASSERT_EQ(f.Memo1.lines.size(), 42u);
    EXPECT_EQ(f.Memo1.lines[35],
              "  SUN    1        4        $8.00\t$8.00\t    4.00");
    EXPECT_EQ(f.Memo1.lines[36], "  MON    0        0        $0.00");
    EXPECT_TRUE(f.ana_form.visible);
    EXPECT_EQ(f.ana_form.shows, run);
  }
  EXPECT_TRUE(f.message_box.shown.empty());

  const std::vector<std::string> report = f.Memo1.lines;
  f.FrmPrice->ListView1().Append(Row("2", "$1.00", "Nov-23 25:45"));
  f.Dispatch([&] {
    f.FrmPrice->GetHourlyandWeekdayStats1Click({"GetHourlyandWeekdayStats1"});
  });
  EXPECT_EQ(f.Memo1.lines, report);
  EXPECT_EQ(f.ana_form.shows, 2);
  ASSERT_EQ(f.message_box.shown.size(), 1u);
  EXPECT_EQ(f.message_box.shown[0].text, "'25' is not a valid hour.");
  EXPECT_EQ(f.message_box.shown[0].caption, "Tolvane 1.6");
  EXPECT_EQ(f.message_box.shown[0].icon, MbIcon::kStop);
  EXPECT_EQ(f.FrmPrice->ListView1().Count(), 2);
}

}  // namespace
}  // namespace tolvane
