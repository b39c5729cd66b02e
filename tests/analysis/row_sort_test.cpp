#include "analysis/row_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "analysis/merge_sort.h"
#include "rows_fixture.h"

namespace tolvane::testing {
namespace {

using Items = std::vector<std::string>;

// Catches a comparison with a direction applied to the wrong branch, "-"
// not ranked first, numbers compared as text, and long numbers that
// overflow instead of comparing by value.
TEST(RowSortTest, CompareBidsCases) {
  struct Case {
    std::string a;
    std::string b;
    int ascending;  // the result for d = +1; d = -1 negates it
  };
  const std::string big = "123456789012345678901234567890";
  const std::string bigger = "123456789012345678901234567891";
  const Case cases[] = {{"-", "-", 0},
                        {"-", "0", -1},
                        {"0", "-", 1},
                        {"-", "lots", -1},
                        {"lots", "-", 1},
                        {"lots", "5", -1},
                        {"5", "lots", -1},
                        {"lots", "lots", -1},
                        {"", "5", -1},
                        {"9", "10", -1},
                        {"10", "9", 1},
                        {"9", "8", 1},
                        {"99999999999999999999", "99999999999999999998", 1},
                        {"007", "7", 0},
                        {"0", "00", 0},
                        {"12\n", "12", 0},
                        {"2147483648", "3", 1},
                        {big, bigger, -1},
                        {bigger, big, 1},
                        {"000" + big, big, 0},
                        {big, "99999999999999999999", 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(CompareBids(c.a, c.b, 1), c.ascending) << c.a << " vs " << c.b;
    EXPECT_EQ(CompareBids(c.a, c.b, -1), -c.ascending) << c.a << " vs " << c.b;
  }
}

void Click(RowsFixture& t, int column) {
  t.f.Dispatch([&] { t.w.ListView1ColumnClick(Sender{"ListView1"}, column); });
}

// Catches a shared direction for both columns, a direction that does not
// flip (also on an empty grid), sorts on other columns, and "-" rows not
// first ascending and last descending.
TEST(RowSortTest, HeaderClicksSortEachColumnInTurn) {
  RowsFixture t;
  Click(t, kPriceColumn);  // empty grid: flips the price direction only
  t.Add("a", "$3.00", "12");
  t.Add("b", "$1,000.00", "-");
  t.Add("c", "$20.00", "3");
  t.Add("d", "$0.50", "-");
  t.Add("e", "$7.00", "100");
  struct Step {
    int column;
    Items order;
  };
  const Step steps[] = {{kPriceColumn, {"b", "c", "e", "a", "d"}},
                        {kBidsColumn, {"b", "d", "c", "a", "e"}},
                        {kPriceColumn, {"d", "a", "e", "c", "b"}},
                        {kBidsColumn, {"e", "a", "c", "d", "b"}},
                        {0, {"e", "a", "c", "d", "b"}},
                        {1, {"e", "a", "c", "d", "b"}},
                        {4, {"e", "a", "c", "d", "b"}},
                        {kBidsColumn, {"d", "b", "c", "a", "e"}}};
  for (const Step& step : steps) {
    Click(t, step.column);
    EXPECT_EQ(t.Items(), step.order) << "column " << step.column;
  }
}

// Catches prices sorted as 64-bit values (in 32 bits $16,777,217 is
// $16,777,216, so the two keep their order), and bids too long for 64 bits
// compared other than digit by digit, or against the wrong row.
TEST(RowSortTest, LongPricesAndBidCountsSortAsStored) {
  RowsFixture t;
  t.Add("a", "$16777217.00", "123456789012345678901234567891");
  t.Add("b", "$16777216.00", "123456789012345678901234567890");
  t.Add("c", "$16777218.00", "123456789012345678901234567892");
  Click(t, kPriceColumn);
  EXPECT_EQ(t.Items(), (Items{"a", "b", "c"}));
  Click(t, kPriceColumn);
  EXPECT_EQ(t.Items(), (Items{"c", "a", "b"}));
  Click(t, kBidsColumn);
  EXPECT_EQ(t.Items(), (Items{"b", "a", "c"}));
}

// Catches a sort that recomputes the summary or loses icons, and rows added
// after a sort placed anywhere but the end.
TEST(RowSortTest, SortMovesRowsWithTheirIconsOnly) {
  RowsFixture t;
  t.Add("a", "$300.00");
  t.Add("b", "$100.00");
  t.Add("c", "$200.00", "-");
  t.f.MResultsLeft.lines = {"typed"};
  const std::vector<int> icons = {t.Icon(0), t.Icon(1), t.Icon(2)};
  Click(t, kPriceColumn);
  EXPECT_EQ(t.Items(), (Items{"b", "c", "a"}));
  EXPECT_EQ(t.Memo(), std::vector<std::string>{"typed"});
  EXPECT_EQ((std::vector<int>{t.Icon(0), t.Icon(1), t.Icon(2)}),
            (std::vector<int>{icons[1], icons[2], icons[0]}));
  t.Add("d", "$1.00");
  EXPECT_EQ(t.Items(), (Items{"b", "c", "a", "d"}));
}

// Catches a sort that loses, duplicates or never finishes with rows when
// the comparison contradicts itself, and one that is wrong or unstable
// where it is consistent.
TEST(RowSortTest, MergeSortIsSafeForAnyComparison) {
  std::mt19937 random(3);
  for (int round = 0; round < 200; ++round) {
    const auto n = static_cast<std::size_t>(random() % 300);
    std::vector<int> items(n);
    std::iota(items.begin(), items.end(), 0);
    const std::vector<int> all = items;
    SafeMergeSort(items,
                  [&](int, int) { return static_cast<int>(random() % 3) - 1; });
    std::sort(items.begin(), items.end());
    ASSERT_EQ(items, all);

    std::vector<std::pair<int, int>> pairs(n);
    for (std::size_t i = 0; i < n; ++i)
      pairs[i] = {static_cast<int>(random() % 20), static_cast<int>(i)};
    std::vector<std::pair<int, int>> expected = pairs;
    std::stable_sort(
        expected.begin(), expected.end(),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    SafeMergeSort(
        pairs, [](const auto& a, const auto& b) { return a.first - b.first; });
    ASSERT_EQ(pairs, expected);
  }
}

}  // namespace
}  // namespace tolvane::testing
