#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rows_fixture.h"

namespace tolvane::testing {
namespace {

// Catches an equality test where a prefix test belongs, a test that is not
// case-blind, and one that skips the first row or the last.
TEST(AddItemTest, RejectsCaptionPrefixDuplicatesOverEveryRow) {
  struct Case {
    std::vector<std::string> existing;
    std::string item;
    int result;
  };
  const Case cases[] = {
      {{"1234567890"}, "1234567890", -1},
      {{"1234567890"}, "123456789", -1},
      {{"123456789"}, "1234567890", 2},
      {{"1234567890"}, "1234567891", 2},
      {{"ABC123"}, "abc", -1},
      {{"abc123"}, "ABC1", -1},
      {{"abc123"}, "abd", 2},
      {{"zebra"}, "ZEB", -1},
      {{"ZEBRA"}, "zeb", -1},
      {{"7"}, "", -1},
      {{}, "", 1},
      {{"111", "222", "333"}, "33", -1},
      {{"111", "222", "333"}, "11", -1},
      {{"111", "222", "333"}, "2220", 4},
      // Longer than the bytes a caption keeps inline in the index.
      {{"abcdefghijklmnopqrstuvwxyz"}, "ABCDEFGHIJKLMNOPQRS", -1},
      {{"abcdefghijklmnopqrstuvwxyz"}, "abcdefghijklmnopqrsu", 2},
      {{"abcdefghijklmnop"}, "abcdefghijklmnopq", 2}};
  for (const Case& c : cases) {
    RowsFixture t;
    for (const std::string& item : c.existing)
      ASSERT_GT(t.Add(item, "$5.00"), 0) << item;
    const std::vector<std::string> memo = t.Memo();
    EXPECT_EQ(t.Add(c.item, "$7.00"), c.result) << c.item;
    if (c.result == -1) {
      EXPECT_EQ(t.Grid().Count(), static_cast<int>(c.existing.size()));
      EXPECT_EQ(t.Memo(), memo);
    } else {
      EXPECT_EQ(t.Row(c.result - 1).item, c.item);
    }
  }
}

// Catches a price test that lets a second comma or a word through, one that
// rejects the displayed forms, and rows that enter with a price no summary
// can convert.
TEST(AddItemTest, UsablePriceTexts) {
  struct Case {
    std::string price;
    bool invalid;  // the character test alone
    int result;    // AddItem into an empty grid
  };
  const Case cases[] = {
      {"$12.50", false, 1},
      {"$1,234.56", false, 1},
      {"12", false, 1},
      {"$ 1,234.56", false, 1},
      {"", true, -2},
      {"$1,234,567.00", true, -2},
      {"1.2.3", true, -2},
      {"US $12.00", true, -2},
      {"EUR 12", true, -2},
      {"sold", true, -2},
      {"-5", true, -2},
      // Pass the character test but are no number once cleaned, or one too
      // large for 32 bits: kept out.
      {"$", false, -2},
      {".", false, -2},
      {"12\n", false, -2},
      {"$1000000000000000000000000000000000000000", false, -2}};
  for (const Case& c : cases) {
    RowsFixture t;
    EXPECT_EQ(t.w.PriceTextInvalid(ParsedItem{"1", "", "3", c.price, ""}),
              c.invalid)
        << c.price;
    EXPECT_EQ(t.Add("1", c.price), c.result) << c.price;
    EXPECT_EQ(t.Grid().Count(), c.result > 0 ? 1 : 0);
    if (c.result < 0) {
      EXPECT_TRUE(t.Memo().empty());
      EXPECT_EQ(t.f.main_form.repaints, 0);
    }
  }
}

// Catches a new row that arrives unchecked or filtered, a summary that lags
// one row behind, and windows that are not repainted.
TEST(AddItemTest, AppendsCheckedSummarisesAndRepaints) {
  RowsFixture t;
  t.f.EdtHiFilter.text = "10";
  t.w.EdtLowFilterExit(Sender{"EdtHiFilter"});
  const int main_repaints = t.f.main_form.repaints;
  const int busy_repaints = t.f.busy_form.repaints;
  EXPECT_EQ(t.Add("1", "$50.00"), 1);
  EXPECT_EQ(t.Add("2", "$70.00"), 2);
  EXPECT_EQ(t.Checks(), (std::vector<bool>{true, true}));
  EXPECT_EQ(t.Figure(0), "$60.00");
  EXPECT_EQ(t.Figure(1), "2");
  EXPECT_EQ(t.f.main_form.repaints, main_repaints + 2);
  EXPECT_EQ(t.f.busy_form.repaints, busy_repaints + 2);
  const ResultRow& row = t.Row(1);
  EXPECT_EQ(
      row.description + "|" + row.bids + "|" + row.price + "|" + row.ended,
      "Brass lamp|3|$70.00|Dec-06");
}

}  // namespace
}  // namespace tolvane::testing
