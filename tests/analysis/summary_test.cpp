#include "analysis/summary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rows_fixture.h"

namespace tolvane::testing {
namespace {

using Lines = std::vector<std::string>;

Lines Summary(const std::string& average, const std::string& items,
              const std::string& checked, const std::string& bids,
              const std::string& low, const std::string& high) {
  return {"\tAverage End Price:\t\t" + average,
          "\tTotal Items:\t\t" + items,
          "\tTotal Checked:\t\t" + checked,
          "\tAverage number of bids:\t" + bids,
          "\tLow:\t\t\t" + low,
          "\tHigh:\t\t\t" + high,
          "\t* Results are computed from checked items."};
}

struct Added {
  std::string price;
  std::string bids;
  bool checked;
};

// Catches wrong labels or tabs, a wrong format per line, a division by a
// zero count, the low's start value lost for an all-unchecked grid, zero-bid
// rows left out of the bids divisor, unchecked rows counted anywhere but
// Total Items; and icons taken against the wrong average, a zero-bid class
// that does not override, unchecked rows left without an icon, and a
// division by an average of 0.
TEST(SummaryTest, MemoLinesAndIconsForTypicalGrids) {
  struct Case {
    const char* name;
    std::vector<Added> rows;
    Lines memo;
    std::vector<int> icons;
  };
  const Case cases[] = {
      {"empty grid",
       {},
       Summary("$0.00", "0", "0", "0.00", "$0.00", "$0.00"),
       {}},
      {"all unchecked",
       {{"$100.00", "3", false}, {"$7.00", "-", false}},
       Summary("$0.00", "2", "0", "0.00", "$999,999.00", "$0.00"),
       {1, 0}},
      {"bids 3, - and 19",
       {{"$10.00", "3", true}, {"$20.00", "-", true}, {"$30.00", "19", true}},
       Summary("$20.00", "3", "3", "7.33", "$10.00", "$30.00"),
       {5, 0, 5}},
      {"unchecked rows only counted",
       {{"$1,234.50", "12", true},
        {"$5.00", "100", false},
        {"$2,000.00", "1000", false},
        {"$0.50", "0", true}},
       Summary("$617.50", "4", "2", "6.00", "$0.50", "$1,234.50"),
       {5, 5, 5, 5}},
      {"a raw bids text counts 0",
       {{"$3.00", "2 bids", true}, {"$4.00", "4", true}},
       Summary("$3.50", "2", "2", "2.00", "$3.00", "$4.00"),
       {4, 2}},
      {"prices above the low's start",
       {{"$1500000.00", "1", true}},
       Summary("$1,500,000.00", "1", "1", "1.00", "$999,999.00",
               "$1,500,000.00"),
       {1}},
      {"around 100",
       {{"$100.00", "3", true},
        {"$115.00", "3", true},
        {"$85.00", "3", true},
        {"$100.00", "-", true},
        {"$500.00", "3", false}},
       Summary("$100.00", "5", "4", "2.25", "$85.00", "$115.00"),
       {1, 2, 4, 0, 5}},
      {"all free",
       {{"$0.00", "3", true}, {"$0", "-", true}},
       Summary("$0.00", "2", "2", "1.50", "$0.00", "$0.00"),
       {1, 0}}};
  for (const Case& c : cases) {
    RowsFixture t;
    int item = 0;
    for (const Added& row : c.rows) {
      ASSERT_GT(t.Add(std::to_string(++item * 11), row.price, row.bids), 0);
      t.Grid().SetChecked(item - 1, row.checked);
    }
    t.w.ComputeSummary();
    EXPECT_EQ(t.Memo(), c.memo) << c.name;
    std::vector<int> icons;
    for (int i = 0; i < t.Grid().Count(); ++i) icons.push_back(t.Icon(i));
    EXPECT_EQ(icons, c.icons) << c.name;
  }
}

// Catches sums taken in double where the program adds in 32 bits: the
// shown cents of a long column of prices differ.
TEST(SummaryTest, SumsAccumulateInThirtyTwoBits) {
  RowsFixture t;
  for (int i = 0; i < 5000; ++i) t.Add(std::to_string(100000 + i), "$1,234.57");
  EXPECT_EQ(t.Figure(0), "$1,234.53");
}

// Catches a summary that formats with the wrong regional settings, or a
// figure that overflows the 32-bit sum and brings down the formatting.
TEST(SummaryTest, RegionalFormsAndOverflow) {
  const RegionalSettings german{.currency_symbol = "EUR",
                                .currency_format = 3,
                                .thousands_separator = '.',
                                .decimal_separator = ','};
  const GridTotals totals{2, 2, 2469.0f, 7.0f, 1234.0f, 1235.0f};
  EXPECT_EQ(SummaryText(FiguresOf(totals), german),
            "\tAverage End Price:\t\t1.234,50 EUR\r\n"
            "\tTotal Items:\t\t2\r\n"
            "\tTotal Checked:\t\t2\r\n"
            "\tAverage number of bids:\t3,50\r\n"
            "\tLow:\t\t\t1.234,00 EUR\r\n"
            "\tHigh:\t\t\t1.235,00 EUR\r\n"
            "\t* Results are computed from checked items.");

  RowsFixture t;
  const std::string huge_bids(45, '9');
  t.Add("1", "$5", huge_bids);
  t.Add("2", "$6", huge_bids);
  EXPECT_EQ(t.Figure(3), "INF");
  EXPECT_EQ(t.Figure(0), "$5.50");
}

// Catches a memo rewritten by a hand-made check change (it waits for the
// next summary) and user text that survives a summary.
TEST(SummaryTest, HandChangesWaitForTheNextSummary) {
  RowsFixture t;
  t.Add("1", "$10.00");
  t.Add("2", "$30.00");
  t.f.MResultsLeft.lines = {"my notes"};
  t.Grid().SetChecked(1, false);
  EXPECT_EQ(t.Memo(), Lines{"my notes"});
  EXPECT_EQ(t.Icon(0), 5);  // still against the average of 20
  t.w.ComputeSummary();
  EXPECT_EQ(t.Figure(0), "$10.00");
  EXPECT_EQ(t.Icon(0), 1);
  EXPECT_EQ(t.Icon(1), 5);
}

}  // namespace
}  // namespace tolvane::testing
