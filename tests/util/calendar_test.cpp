#include "util/calendar.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "fakes/error_of.h"

namespace tolvane {
namespace {

TEST(CalendarTest, EncodeDateValidatesGregorianDates) {
  EXPECT_EQ(EncodeDate(2024, 2, 29), (Date{2024, 2, 29}));
  EXPECT_EQ(EncodeDate(2000, 2, 29), (Date{2000, 2, 29}));
  const int bad[][3] = {{2023, 2, 29}, {1900, 2, 29},  {2024, 13, 1},
                        {2024, 0, 1},  {2024, 4, 31},  {2024, 1, 0},
                        {0, 1, 1},     {2024, 12, 32}, {10000, 1, 1},
                        {10000, 0, 1}};
  for (const auto& d : bad) {
    EXPECT_EQ(testing::ErrorOf([&] { EncodeDate(d[0], d[1], d[2]); }),
              "Invalid argument to date encode");
    EXPECT_EQ(TryEncodeDate(d[0], d[1], d[2]), std::nullopt);
  }
}

TEST(CalendarTest, DayOfWeekCountsFromSunday) {
  EXPECT_EQ(DayOfWeek({2026, 12, 6}), 0);   // Sunday
  EXPECT_EQ(DayOfWeek({2000, 1, 1}), 6);    // Saturday
  EXPECT_EQ(DayOfWeek({2024, 2, 29}), 4);   // Thursday
  EXPECT_EQ(DayOfWeek({2003, 11, 23}), 0);  // Sunday
  EXPECT_EQ(DayOfWeek({1970, 1, 1}), 4);    // Thursday
  EXPECT_EQ(DayOfWeek({2025, 3, 1}), 6);    // Saturday
}

TEST(CalendarTest, DaysSinceEpochCountsWholeDays) {
  EXPECT_EQ(DaysSinceEpoch({1970, 1, 1}), 0);
  EXPECT_EQ(DaysSinceEpoch({2000, 3, 1}), 11017);
  EXPECT_EQ(DaysSinceEpoch({1969, 12, 31}), -1);
  EXPECT_EQ(DaysSinceEpoch({2024, 2, 29}) + 1, DaysSinceEpoch({2024, 3, 1}));
}

// English and German month names as pages and files write them, in UTF-8
// or Windows-1252.
TEST(CalendarTest, MonthOfNameReadsEnglishAndGermanNames) {
  const std::pair<const char*, int> names[] = {
      {"Jan", 1},        {"january", 1},     {"FEB", 2},   {"Mar", 3},
      {"M\xC3\xA4r", 3}, {"M\xC3\xA4rz", 3}, {"Mrz", 3},   {"Apr", 4},
      {"Mai", 5},        {"May", 5},         {"Jun", 6},   {"Juli", 7},
      {"Aug.", 8},       {"M\xC3\x84RZ", 3}, {"Sept", 9},  {"Sep", 9},
      {"Okt", 10},       {"October", 10},    {"nov", 11},  {"Dez", 12},
      {"Dec", 12},       {"M\xE4r", 3},      {"M\xC4R", 3}};
  for (const auto& [name, month] : names)
    EXPECT_EQ(MonthOfName(name), month) << name;
  for (const char* other :
       {"", "Ja", "Janu", "13", "Mon", "Sepp", "Dec..", "Ma\xC3", "M\xC3\xA9r"})
    EXPECT_EQ(MonthOfName(other), std::nullopt) << other;
}

// The dated Ended forms: written and read back, and nothing else read.
TEST(CalendarTest, DatedEndTextsRoundTrip) {
  const std::pair<DatedEnd, const char*> forms[] = {
      {{{2024, 10, 27}, std::nullopt, 0}, "Oct-27-2024"},
      {{{2026, 3, 7}, 14, 3}, "Mar-07-2026 14:03"},
      {{{2000, 2, 29}, 0, 0}, "Feb-29-2000 00:00"},
      {{{987, 12, 1}, 23, 59}, "Dec-01-0987 23:59"},
      {{{50, 1, 1}, std::nullopt, 0}, "Jan-01-0050"}};
  for (const auto& [end, text] : forms) {
    EXPECT_EQ(DatedEndText(end), text);
    EXPECT_EQ(ReadDatedEnd(text), end) << text;
  }
  for (const char* other :
       {"Nov-23 18:45", "Oct-27-24", "Oct-27-2024 ", "Oct 27-2024",
        "Oct-27 2024", "oct-27-2024", "Feb-29-2023", "Oct-27-2024 24:00",
        "Oct-27-2024 10:60", "Oct-27-2024T10:00", "Oct-27-2024 1x:00",
        "Oct-2x-2024", "Oct-27-20x4", "Xyz-27-2024", ""})
    EXPECT_EQ(ReadDatedEnd(other), std::nullopt) << other;
}

}  // namespace
}  // namespace tolvane
