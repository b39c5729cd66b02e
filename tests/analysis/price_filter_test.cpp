#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rows_fixture.h"

namespace tolvane::testing {
namespace {

const std::vector<std::string> kPrices = {"$9.99",  "$10.00", "$15.00",
                                          "$20.00", "$20.01", "$1,234.56"};

// Catches exclusive bounds, swapped bounds, a filter that re-checks rows,
// and bounds taken in 32 bits (9.99000001 is 9.99 there).
TEST(PriceFilterTest, UnchecksRowsOutsideInclusiveBounds) {
  struct Case {
    const char* hi;
    const char* low;
    std::vector<bool> checks;
  };
  const Case cases[] = {
      {"999,999.99", "0.00", {true, true, true, true, true, true}},
      {"20", "10", {false, true, true, true, false, false}},
      {"$20.00", "$10", {false, true, true, true, false, false}},
      {"10", "20", {false, false, false, false, false, false}},
      {"1,234.56", "1,234.56", {false, false, false, false, false, true}},
      {"999,999.99", "9.99000001", {false, true, true, true, true, true}}};
  for (const Case& c : cases) {
    RowsFixture t;
    for (std::size_t i = 0; i < kPrices.size(); ++i) {
      t.Add(std::to_string(100 + i), kPrices[i]);
    }
    t.f.EdtHiFilter.text = c.hi;
    t.f.EdtLowFilter.text = c.low;
    t.w.EdtLowFilterExit(Sender{"EdtLowFilter"});
    EXPECT_EQ(t.Checks(), c.checks) << c.hi << " / " << c.low;
    EXPECT_TRUE(t.f.message_box.shown.empty());
  }
}

// Catches a missing or doubled message, the wrong order of the two boxes,
// a default not put back, and a bad box that stops the filtering.
TEST(PriceFilterTest, BoxesThatAreNoNumberSayItAndFallBack) {
  struct Case {
    const char* hi;
    const char* low;
    // The two boxes' texts each time the message shows.
    std::vector<std::string> seen;
    const char* hi_after;
    const char* low_after;
    std::vector<bool> checks;
  };
  const Case cases[] = {
      {"", "0.00", {"|0.00"}, "999,999.99", "0.00", {true, true, true}},
      {"15", "", {"15|"}, "15", "0.00", {true, true, false}},
      {"abc",
       "x1",
       {"abc|x1", "999,999.99|x1"},
       "999,999.99",
       "0.00",
       {true, true, true}},
      {"1,2,3", "$5", {"1,2,3|$5"}, "999,999.99", "$5", {true, true, true}},
      {"20 USD", "12", {"20 USD|12"}, "999,999.99", "12", {false, true, true}}};
  for (const Case& c : cases) {
    RowsFixture t;
    t.Add("1", "$9.99");
    t.Add("2", "$15.00");
    t.Add("3", "$20.01");
    t.f.EdtHiFilter.text = c.hi;
    t.f.EdtLowFilter.text = c.low;
    std::vector<std::string> seen;
    t.f.message_box.on_show = [&] {
      seen.push_back(t.f.EdtHiFilter.text + "|" + t.f.EdtLowFilter.text);
    };
    t.w.EdtLowFilterExit(Sender{"EdtHiFilter"});
    EXPECT_EQ(seen, c.seen) << c.hi << " / " << c.low;
    for (const auto& shown : t.f.message_box.shown) {
      EXPECT_EQ(shown.text, "Hi/Low value not numeric.");
      EXPECT_EQ(shown.caption, "Format Error");
      EXPECT_EQ(shown.buttons, MbButtons::kOk);
    }
    EXPECT_EQ(t.f.EdtHiFilter.text, c.hi_after);
    EXPECT_EQ(t.f.EdtLowFilter.text, c.low_after);
    EXPECT_EQ(t.Checks(), c.checks) << c.hi << " / " << c.low;
  }
}

// Catches a filter that recomputes an empty grid's memo, skips validation
// there, or leaves the boxes in the menu colour; and, once there are rows,
// one that re-checks rows inside the range, forgets rows checked again by
// hand, or does not recompute the summary.
TEST(PriceFilterTest, NeverChecksAndCatchesRowsCheckedByHand) {
  RowsFixture t;
  t.f.MResultsLeft.lines = {"previous figures"};
  t.f.EdtLowFilter.color = SystemColor::kMenu;
  t.f.EdtLowFilter.text = "";
  t.w.EdtLowFilterExit(Sender{"EdtLowFilter"});
  EXPECT_EQ(t.f.message_box.shown.size(), 1u);
  EXPECT_EQ(t.f.EdtLowFilter.text, "0.00");
  EXPECT_EQ(t.Memo(), std::vector<std::string>{"previous figures"});
  EXPECT_EQ(t.f.EdtLowFilter.color, SystemColor::kWindow);

  t.Add("1", "$5.00");
  t.Add("2", "$50.00");
  t.Add("3", "$500.00");
  t.f.EdtHiFilter.text = "100";
  t.w.EdtLowFilterExit(Sender{"EdtHiFilter"});
  EXPECT_EQ(t.Checks(), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(t.Figure(2), "2");
  t.Grid().SetChecked(0, false);  // inside the range, unchecked by hand
  t.Grid().SetChecked(2, true);   // outside, checked again by hand
  t.w.EdtLowFilterExit(Sender{"EdtLowFilter"});
  EXPECT_EQ(t.Checks(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(t.Figure(0), "$50.00");
  EXPECT_EQ(t.Figure(2), "1");
}

}  // namespace
}  // namespace tolvane::testing
