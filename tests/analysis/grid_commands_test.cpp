#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/row_sort.h"
#include "rows_fixture.h"

namespace tolvane::testing {
namespace {

using Items = std::vector<std::string>;
using Handler = void (TFrmPrice::*)(const Sender&);
using F = TFrmPrice;

// Rows a to e: a and d without bids, c with the digit 0; b and d selected;
// c and e unchecked.
void AddFiveRows(RowsFixture& t) {
  t.Add("a", "$10.00", "-");
  t.Add("b", "$20.00", "4");
  t.Add("c", "$30.00", "0");
  t.Add("d", "$40.00", "-");
  t.Add("e", "$50.00", "2");
  t.Grid().SetSelected(1, true);
  t.Grid().SetSelected(3, true);
  t.Grid().SetChecked(2, false);
  t.Grid().SetChecked(4, false);
}

void Fire(RowsFixture& t, Handler handler) {
  t.f.Dispatch([&] { (t.w.*handler)(Sender{"test"}); });
}

// Catches a delete that removes the wrong rows (the digit 0 taken for no
// bids), disturbs the others' order, checks or selection, skips the
// summary while rows remain, or rewrites the memo of an emptied grid.
TEST(GridCommandsTest, DeleteCommandsRemoveTheirRowsOnly) {
  struct Case {
    Handler handler;
    Items items;
    std::vector<bool> checks;
  };
  const Case cases[] = {
      {&F::DeleteZeroBidAuctions1Click, {"b", "c", "e"}, {true, false, false}},
      {&F::DeleteSelected1Click, {"a", "c", "e"}, {true, false, false}},
      {&F::DeleteUnchecked1Click, {"a", "b", "d"}, {true, true, true}},
  };
  for (const Case& c : cases) {
    RowsFixture t;
    AddFiveRows(t);
    t.f.MResultsLeft.lines = {"stale"};
    Fire(t, c.handler);
    EXPECT_EQ(t.Items(), c.items);
    EXPECT_EQ(t.Checks(), c.checks);
    for (int i = 0; i < t.Grid().Count(); ++i) {
      const std::string& item = t.Row(i).item;
      EXPECT_EQ(t.Row(i).selected, item == "b" || item == "d") << item;
    }
    EXPECT_EQ(t.Figure(1), "3");
  }
}

// Catches a summary run on an emptied or empty grid, and one skipped when
// nothing matched but rows remain.
TEST(GridCommandsTest, DeleteSummaryOnlyWhileRowsRemain) {
  struct Case {
    std::vector<bool> checked;  // one row each
    Handler handler;
    int rows_after;  // none left: the memo is untouched
  };
  const Case cases[] = {{{false, false}, &F::DeleteUnchecked1Click, 0},
                        {{false}, &F::DeleteUnchecked1Click, 0},
                        {{false, true}, &F::DeleteUnchecked1Click, 1},
                        {{true, true}, &F::DeleteSelected1Click, 2},
                        {{}, &F::DeleteZeroBidAuctions1Click, 0}};
  for (const Case& c : cases) {
    RowsFixture t;
    for (std::size_t i = 0; i < c.checked.size(); ++i) {
      t.Add(std::to_string(10 + i), "$5.00");
      t.Grid().SetChecked(static_cast<int>(i), c.checked[i]);
    }
    t.f.MResultsLeft.lines = {"stale"};
    Fire(t, c.handler);
    EXPECT_EQ(t.Grid().Count(), c.rows_after);
    EXPECT_EQ(c.rows_after == 0 ? t.Memo().front() : t.Figure(1),
              c.rows_after == 0 ? "stale" : std::to_string(c.rows_after));
  }
}

// Catches Check All that leaves rows unchecked, skips the summary, or
// touches the memo or the colours wrongly on an empty grid.
TEST(GridCommandsTest, CheckAllChecksEveryRowAndShowsTheFilterOff) {
  RowsFixture t;
  t.f.MResultsLeft.lines = {"stale"};
  Fire(t, &TFrmPrice::CheckAll1Click);
  EXPECT_EQ(t.f.EdtHiFilter.color, SystemColor::kMenu);
  EXPECT_EQ(t.f.EdtLowFilter.color, SystemColor::kMenu);
  EXPECT_EQ(t.Memo(), std::vector<std::string>{"stale"});

  AddFiveRows(t);
  t.f.EdtHiFilter.text = "25";
  t.w.EdtLowFilterExit(Sender{"EdtHiFilter"});
  EXPECT_EQ(t.f.EdtHiFilter.color, SystemColor::kWindow);
  Fire(t, &TFrmPrice::CheckAll1Click);
  EXPECT_EQ(t.Checks(), std::vector<bool>(5, true));
  EXPECT_EQ(t.Figure(2), "5");
  EXPECT_EQ(t.f.EdtHiFilter.color, SystemColor::kMenu);
  EXPECT_EQ(t.f.EdtLowFilter.color, SystemColor::kMenu);
  EXPECT_EQ(t.f.EdtHiFilter.text, "25");
}

// Catches New Search that recomputes the summary, leaves rows or the
// search text behind, forgets the focus, or resets the sort directions.
TEST(GridCommandsTest, NewSearchEmptiesGridAndSearchBox) {
  RowsFixture t;
  for (int i = 0; i < 200; ++i) t.Add(std::to_string(1000 + i), "$5.00");
  t.w.ListView1ColumnClick(Sender{"ListView1"}, kPriceColumn);
  const std::vector<std::string> memo = t.Memo();
  t.f.EdtQuery.text = "brass lamp";
  t.f.SpdBtnGetNextData.enabled = true;
  const int focus = t.f.EdtQuery.focus_count;
  Fire(t, &TFrmPrice::NewSearch1Click);
  EXPECT_EQ(t.Grid().Count(), 0);
  EXPECT_EQ(t.f.EdtQuery.text, "");
  EXPECT_EQ(t.f.EdtQuery.focus_count, focus + 1);
  EXPECT_FALSE(t.f.SpdBtnGetNextData.enabled);  // the change handler ran
  EXPECT_EQ(t.Memo(), memo);
  EXPECT_EQ(t.f.EdtHiFilter.text, "999,999.99");
  // The price direction is still descending after one earlier click.
  t.Add("1", "$1.00");
  t.Add("2", "$2.00");
  t.w.ListView1ColumnClick(Sender{"ListView1"}, kPriceColumn);
  EXPECT_EQ(t.Items(), (Items{"2", "1"}));
  // A row that was deleted can be added again.
  EXPECT_EQ(t.Add("1000", "$5.00"), 3);
}

}  // namespace
}  // namespace tolvane::testing
