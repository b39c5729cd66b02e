#include "analysis/icons.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

ResultRow RowAt(float price, const char* bids = "3") {
  ResultRow row;
  row.price32 = price;
  row.bids = bids;
  row.zero_bid = row.bids == "-";
  return row;
}

// Catches thresholds taken from the wrong side, and negative classes 4 and
// 5 read as -0.3 and -0.4.
TEST(IconsTest, ClassesAtBothSidesOfEveryThreshold) {
  struct Case {
    float price;
    int icon;
  };
  const float avg = 100.0f;
  const Case cases[] = {{100, 1},    {110, 1},     {110.01f, 2}, {115, 2},
                        {120, 2},    {120.01f, 3}, {130, 3},     {130.01f, 4},
                        {140, 4},    {140.01f, 5}, {500, 5},     {90, 1},
                        {89.99f, 4}, {85, 4},      {80, 4},      {79.99f, 5},
                        {0, 5}};
  for (const Case& c : cases) {
    EXPECT_EQ(DeviationIcon(RowAt(c.price), avg), c.icon) << c.price;
  }
}

TEST(IconsTest, ZeroBidAndMissingAverage) {
  EXPECT_EQ(DeviationIcon(RowAt(500, "-"), 100.0f), 0);
  EXPECT_EQ(DeviationIcon(RowAt(5, "0"), 100.0f), 5);
  EXPECT_EQ(DeviationIcon(RowAt(5), std::nullopt), -1);
  // An average of 0 must neither divide nor produce a NaN class.
  EXPECT_EQ(DeviationIcon(RowAt(5), 0.0f), 1);
  EXPECT_EQ(DeviationIcon(RowAt(0, "-"), 0.0f), 0);
}

}  // namespace
}  // namespace tolvane
