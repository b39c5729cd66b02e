#include "listing/result_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// The allocation this many allocations from now fails; -1: none does.
long g_fail_countdown = -1;

}  // namespace
}  // namespace tolvane

void* operator new(std::size_t size) {
  if (tolvane::g_fail_countdown >= 0 && tolvane::g_fail_countdown-- == 0)
    throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace tolvane {

struct ResultGridIds {
  static void SetNext(ResultGrid& g, CaptionIndex::Id id) { g.next_id_ = id; }
};

namespace {

ResultRow RowOf(const std::string& item, float price = 1, bool checked = true) {
  ResultRow row;
  row.item = item;
  row.price32 = price;
  row.price64 = price;
  row.checked = checked;
  return row;
}

std::string Lowered(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool BruteForcePrefix(const ResultGrid& grid, const std::string& text) {
  const std::string key = Lowered(text);
  for (const ResultRow& row : grid.Rows())
    if (Lowered(row.item).starts_with(key)) return true;
  return false;
}

// Random texts around the 16 bytes the index keeps inline, over an
// alphabet with both cases, zero bytes and bytes above 127.
std::string RandomText(std::mt19937& random) {
  static const char kAlphabet[] = {'a', 'A', 'b', '0', '\0', '\xE9', 'z', 'Z'};
  std::uniform_int_distribution<int> length(0, 20);
  std::uniform_int_distribution<int> pick(0, 7);
  // Texts share long runs of one letter so that heads often tie.
  const int n = length(random);
  std::string text(static_cast<std::size_t>(n), 'a');
  for (char& c : text)
    if (pick(random) < 2) c = kAlphabet[pick(random)];
  return text;
}

// Catches an index that drifts from the rows it stands for: a prefix found
// among removed rows, one missed after blocks split or were rebuilt, an
// order broken at the 16-byte edge, zero bytes taken for padding.
TEST(ResultGridTest, CaptionIndexAgreesWithAScanOfTheRows) {
  std::mt19937 random(7);
  ResultGrid grid;
  std::uniform_int_distribution<int> action(0, 99);
  for (int step = 0; step < 20000; ++step) {
    const int what = action(random);
    if (what < 55) {
      grid.Append(RowOf(RandomText(random)));
    } else if (what < 57 && grid.Count() > 0) {
      const std::string cut = RandomText(random);
      grid.RemoveIf([&](const ResultRow& row) { return row.item < cut; });
    } else if (what < 58) {
      std::vector<int> order(static_cast<std::size_t>(grid.Count()));
      std::iota(order.rbegin(), order.rend(), 0);
      grid.Reorder(order);
    } else if (what < 59) {
      grid.Clear();
    } else {
      const std::string text = RandomText(random);
      ASSERT_EQ(grid.HasCaptionWithPrefix(text), BruteForcePrefix(grid, text))
          << "step " << step << " text size " << text.size();
    }
  }
}

// Catches an order that is not a permutation of the rows taken (it looped
// for ever or lost rows) and a good one refused.
TEST(ResultGridTest, ReorderTakesOnlyAPermutation) {
  ResultGrid grid;
  for (const char* item : {"a", "b", "c"}) grid.Append(RowOf(item));
  for (const std::vector<int>& order : std::vector<std::vector<int>>{
           {0, 1}, {0, 1, 2, 0}, {0, 0, 1}, {2, 1, 1}, {0, 1, 3}, {-1, 0, 1}})
    EXPECT_FALSE(grid.Reorder(order)) << order.size();
  EXPECT_TRUE(grid.Reorder({2, 0, 1}));
  std::string items;
  for (const RowView row : grid.Rows()) items += row.item;
  EXPECT_EQ(items, "cab");
}

// Catches an append that fails half way (no memory) and leaves a caption
// the duplicate test finds, or a row count or texts out of step, in
// whichever allocation it fails.
TEST(ResultGridTest, AFailedAppendLeavesNoTrace) {
  ResultGrid grid;
  // Eight rows: the next caption makes the index grow its table.
  for (int i = 0; i < 8; ++i) grid.Append(RowOf("kept" + std::to_string(i)));
  ResultRow row = RowOf(std::string(40, 'n'));
  row.description = std::string(300, 'd');
  for (long fail = 0; grid.Count() == 8; ++fail) {
    g_fail_countdown = fail;
    try {
      grid.Append(row);
    } catch (const std::bad_alloc&) {
      g_fail_countdown = -1;
      ASSERT_EQ(grid.Count(), 8);
      ASSERT_FALSE(grid.HasCaptionWithPrefix(row.item)) << fail;
      ASSERT_FALSE(grid.HasCaptionWithPrefix("nnn")) << fail;
    }
    g_fail_countdown = -1;
  }
  grid.Append(RowOf("last"));
  EXPECT_EQ(grid.Row(7).item, "kept7");
  EXPECT_EQ(grid.Row(8).description, row.description);
  EXPECT_EQ(grid.Row(9).item, "last");
  grid.RemoveIf([](const RowView& r) { return r.item == "kept7"; });
  EXPECT_TRUE(grid.HasCaptionWithPrefix("last"));
  EXPECT_FALSE(grid.HasCaptionWithPrefix("kept7"));
}

// Catches a search over the caption blocks that lands in the wrong one when
// more captions than a block holds share their first eight bytes (the texts
// are shorter than the longest caption, so the ordered blocks answer).
TEST(ResultGridTest, PrefixesFoundAmongManyCaptionsWithOneHead) {
  ResultGrid grid;
  for (int i = 0; i < 600; i += 2)
    grid.Append(RowOf("aaaaaaaa" + std::to_string(1000 + i) + "x"));
  for (int i = 0; i < 600; ++i) {
    const std::string text = "AAAAaaaa" + std::to_string(1000 + i);
    ASSERT_EQ(grid.HasCaptionWithPrefix(text), i % 2 == 0) << text;
  }
  // Prefixes one bit away from a caption's start, within a word or at its end.
  for (const char* item : {"123456790", "1230"}) grid.Append(RowOf(item));
  for (const char* x : {"12345678", "122"})
    EXPECT_FALSE(grid.HasCaptionWithPrefix(x));
}

// Catches rows whose captions are lost, or removed with the wrong row, when
// the ids run out and the live rows are numbered afresh.
TEST(ResultGridTest, CaptionsSurviveTheRenumberingOfIds) {
  ResultGrid grid;
  for (const char* item : {"a1", "b2", "c3"}) grid.Append(RowOf(item));
  ResultGridIds::SetNext(grid,
                         std::numeric_limits<CaptionIndex::Id>::max() - 1);
  for (const char* item : {"d4", "e5", "f6"}) grid.Append(RowOf(item));
  grid.RemoveIf([](const RowView& row) { return row.item == "b2"; });
  for (const char* item : {"a1", "c3", "d4", "e5", "f6"})
    EXPECT_TRUE(grid.HasCaptionWithPrefix(item)) << item;
  EXPECT_FALSE(grid.HasCaptionWithPrefix("b2"));
}

// Catches running totals that keep counting after a change other than an
// append, or that were summed in another order than the grid's, and a
// removal or unchecking that miscounts the rows it changed.
TEST(ResultGridTest, TotalsEqualAFreshPassAfterEveryChange) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> price(0.01f, 5000.0f);
  ResultGrid grid;
  const auto fresh = [&grid] {
    GridTotals totals;
    for (const ResultRow& row : grid.Rows()) {
      ++totals.count;
      if (!row.checked) continue;
      ++totals.checked;
      totals.price_sum += row.price32;
      totals.low = std::min(totals.low, row.price32);
      totals.high = std::max(totals.high, row.price32);
    }
    return totals;
  };
  for (int step = 0; step < 3000; ++step) {
    const int what = static_cast<int>(random() % 10);
    if (what < 6 || grid.Count() == 0) {
      grid.Append(RowOf(std::to_string(step), price(random), random() % 4));
    } else if (what == 6) {
      grid.SetChecked(static_cast<int>(random() % grid.Count()),
                      random() % 2 == 0);
    } else if (what == 7) {
      std::vector<int> order(static_cast<std::size_t>(grid.Count()));
      std::iota(order.begin(), order.end(), 0);
      std::shuffle(order.begin(), order.end(), random);
      grid.Reorder(order);
    } else if (what == 8) {
      std::size_t dear = 0;
      for (const RowView row : grid.Rows())
        dear += row.checked && row.price32 > 4000;
      ASSERT_EQ(grid.UncheckIf(
                    [](const ResultRow& row) { return row.price32 > 4000; }),
                dear);
    } else {
      const int before = grid.Count();
      const std::size_t removed =
          grid.RemoveIf([](const ResultRow& row) { return row.price32 < 300; });
      ASSERT_EQ(removed, static_cast<std::size_t>(before - grid.Count()));
    }
    const GridTotals expected = fresh();
    const GridTotals& totals = grid.Totals();
    ASSERT_EQ(totals.count, expected.count);
    ASSERT_EQ(totals.checked, expected.checked);
    ASSERT_EQ(totals.price_sum, expected.price_sum) << "step " << step;
    ASSERT_EQ(totals.low, expected.low);
    ASSERT_EQ(totals.high, expected.high);
  }
}

}  // namespace
}  // namespace tolvane

namespace tolvane {
namespace {

// A grid holds one currency: rows that named none join any, unless their
// prices carry the US site's "$"; emptying the grid forgets its currency.
TEST(ResultGridTest, CurrencyConflictKeepsOneCurrencyPerGrid) {
  const RegionalSettings us = RegionalSettings::UnitedStates();
  ResultGrid grid;
  EXPECT_EQ(CurrencyConflict(grid, "GBP"), std::nullopt);
  ParsedItem item{"1", "Lamp", "3", "12.00", "Oct-27-2024", false};
  const std::optional<ResultRow> row = MakeRow(item, us);
  ASSERT_TRUE(row);
  EXPECT_FALSE(row->checked);
  grid.Append(*row);
  EXPECT_EQ(CurrencyConflict(grid, "GBP"), std::nullopt);
  grid.Append(*MakeRow({"2", "Lamp", "3", "$1.00", "Oct-27-2024"}, us));
  EXPECT_EQ(CurrencyConflict(grid, "GBP"), "USD");
  EXPECT_EQ(CurrencyConflict(grid, "USD"), std::nullopt);
  grid.SetCurrency("EUR");
  EXPECT_EQ(grid.Currency(), "EUR");
  EXPECT_EQ(CurrencyConflict(grid, "USD"), "EUR");
  EXPECT_EQ(CurrencyConflict(grid, "EUR"), std::nullopt);
  grid.RemoveIf([](const RowView&) { return true; });
  EXPECT_EQ(grid.Currency(), "");
  grid.Append(*row);
  EXPECT_EQ(grid.Currency(), "");
  grid.SetCurrency("EUR");
  grid.Clear();
  grid.Append(*row);
  EXPECT_EQ(CurrencyConflict(grid, "JPY"), std::nullopt);
}

// Catches line feeds and zero bytes, which the digit test lets through,
// read as digits of the bids.
TEST(ResultGridTest, BidsValueReadsOnlyTheDigits) {
  EXPECT_EQ(ReadBids(std::string_view("1\n2\0", 4)).value, 12.0f);
}

}  // namespace
}  // namespace tolvane
