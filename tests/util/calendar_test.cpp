#include "util/calendar.h"

#include <gtest/gtest.h>

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
  for (const auto& d : bad)
    EXPECT_EQ(testing::ErrorOf([&] { EncodeDate(d[0], d[1], d[2]); }),
              "Invalid argument to date encode");
}

TEST(CalendarTest, DayOfWeekCountsFromSunday) {
  EXPECT_EQ(DayOfWeek({2026, 12, 6}), 0);   // Sunday
  EXPECT_EQ(DayOfWeek({2000, 1, 1}), 6);    // Saturday
  EXPECT_EQ(DayOfWeek({2024, 2, 29}), 4);   // Thursday
  EXPECT_EQ(DayOfWeek({2003, 11, 23}), 0);  // Sunday
  EXPECT_EQ(DayOfWeek({1970, 1, 1}), 4);    // Thursday
  EXPECT_EQ(DayOfWeek({2025, 3, 1}), 6);    // Saturday
}

}  // namespace
}  // namespace tolvane
