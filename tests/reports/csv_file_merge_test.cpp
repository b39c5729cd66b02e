#include "reports/csv_file_merge.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "analysis/robust_figures.h"
#include "analysis/summary_rows.h"
#include "app/temp_folder.h"
#include "listing/price_text.h"
#include "listing/result_grid.h"
#include "reports/csv_merge.h"

namespace tolvane::testing {
namespace {

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The own form as Merge has always read it: the walk over the text without
// line breaks (the same as the literal walk, its own test says), then
// AddItem's duplicate test, price test and append, one record at a time.
ResultGrid LiteralMerge(const std::string& file) {
  std::string text = file;
  std::erase_if(text, [](char c) { return c == '\n' || c == '\r'; });
  ResultGrid grid;
  const RegionalSettings us = RegionalSettings::UnitedStates();
  CsvMergeWalk walk(text);
  ParsedItem item;
  bool first = true;
  while (first || !walk.AtEnd()) {
    first = false;
    walk.Next(item);
    if (grid.HasCaptionWithPrefix(item.Item)) continue;
    if (!PriceTextUsable(item.Price)) continue;
    if (const std::optional<ResultRow> row = MakeRow(item, us)) {
      grid.Append(*row);
    }
  }
  return grid;
}

// A file of records over three batches of the merge: item numbers of three
// lengths, so that shorter ones begin longer ones, in both letter cases,
// repeated; prices usable or not; bids numeric, "-" or neither.
std::string GeneratedFile(std::size_t records) {
  std::mt19937 random(20261207);
  const char* const prices[] = {"$1,234.56", "$0.99", "7",     "$12.5",
                                "x",         "$",     "1.2.3", "$2,000.00"};
  const char* const bids[] = {"3", "-", "12", "", "x1"};
  std::string file;
  for (std::size_t i = 0; i < records; ++i) {
    std::string item = std::to_string(random() % 30000);
    if (i % 7 == 0) item += "ab";
    if (i % 11 == 0) item += "AB";
    file += "\"" + item + "\",\"lot " + std::to_string(i) + "\",\"" +
            prices[random() % 8] + "\",\"" + bids[random() % 5] +
            "\",\"Nov-23 18:45\"\r\n";
  }
  return file;
}

// Catches the batched merge (records cut ahead, numbers read after, the
// duplicate test asked for ahead) taking or leaving out other records than
// the literal merge, in another order (the 32-bit sums differ then), across
// batch ends; and rows kept for their figures giving other totals, prices,
// counts, currency or currency conflicts than the grid for the same file, of
// either form; a header file cut at its first batch's end; and a merge of
// either form told to stop going on.
TEST(CsvFileMergeTest, FiguresEqualTheGridsAndTheLiteralMerge) {
  TempFolder folder;
  const std::string own = GeneratedFile(20000);
  const std::string files[] = {
      own,
      "title,sold_price_usd,ended_at,item_id\nLamp,2.5,soon,7\nLamp 2,x,,8\n"
      "Oil,3,,7\nTin,,,9\nBrass,4.25,2026-02-30,71\nPen,1,2026-02-03,5\n",
      "title,price,currency,item_id\nLamp,2.5,EUR,7\nTin,3,EUR,8\n",
      "\"1\",\"a\",\"$1.00\",\"1\",\"e\"\r\n\"2\",\"b\",\"x\",\"1\",\"e\"",
      "\"1\",\"a\",\"1.00\",\"1\",\"e\"",
      "",
      "\r\n\r\n",
      "a,b,c\n"};
  const RegionalSettings us = RegionalSettings::UnitedStates();
  for (const std::string& text : files) {
    WriteText(folder / "f.csv", text);
    ResultGrid grid;
    SummaryRows figures(true);
    InputFile for_grid(folder / "f.csv");
    InputFile for_figures(folder / "f.csv");
    const CsvFileMerge a = MergeCsvFile(for_grid, grid, us, {});
    const CsvFileMerge b = MergeCsvFile(for_figures, figures, us, {});
    const std::string name = text.substr(0, 40);
    EXPECT_EQ(a.rows, b.rows) << name;
    EXPECT_EQ(a.unusable, b.unusable) << name;
    EXPECT_EQ(a.report, b.report) << name;
    EXPECT_EQ(a.nothing_read, text.empty()) << name;
    EXPECT_EQ(figures.Count(), grid.Count()) << name;
    EXPECT_EQ(figures.Currency(), grid.Currency()) << name;
    for (const char* c : {"USD", "EUR", "GBP"})
      EXPECT_EQ(figures.CurrencyConflict(c), grid.CurrencyConflict(c)) << c;
    const GridTotals& want = grid.Totals();
    const GridTotals& got = figures.Totals();
    EXPECT_EQ(got.checked, want.checked) << name;
    EXPECT_TRUE(SameBits(got.price_sum, want.price_sum)) << name;
    EXPECT_TRUE(SameBits(got.bids_sum, want.bids_sum)) << name;
    EXPECT_TRUE(SameBits(got.low, want.low)) << name;
    EXPECT_TRUE(SameBits(got.high, want.high)) << name;
    EXPECT_EQ(figures.CheckedPrices(), CheckedPrices(grid)) << name;
    if (a.header) continue;
    EXPECT_EQ(a.rows + a.unusable > 0, !text.empty()) << name;
    const ResultGrid literal = LiteralMerge(text);
    ASSERT_EQ(grid.Count(), literal.Count()) << name;
    for (int i = 0; i < grid.Count(); ++i) {
      ASSERT_EQ(grid.Row(i).item, literal.Row(i).item) << name << i;
      ASSERT_EQ(grid.Row(i).price, literal.Row(i).price) << name << i;
      ASSERT_EQ(grid.Row(i).bids, literal.Row(i).bids) << name << i;
    }
    EXPECT_TRUE(SameBits(want.price_sum, literal.Totals().price_sum)) << name;
  }
  // A header file longer than a batch is read to its end.
  std::string many = "item_id,price\n";
  for (int i = 0; i < 9000; ++i) many += std::to_string(i) + ",1\n";
  WriteText(folder / "f.csv", many);
  InputFile long_file(folder / "f.csv");
  ResultGrid all;
  EXPECT_EQ(MergeCsvFile(long_file, all, us, {}).rows, 9000);
  // Stopped after its first batch, the merge ends there and says so.
  for (const std::string& text : {own, many}) {
    WriteText(folder / "f.csv", text);
    InputFile file(folder / "f.csv");
    ResultGrid stopped;
    CsvMergeSteps steps;
    std::size_t bytes = 0;
    steps.after_batch = [&bytes](std::size_t read) {
      bytes = read;
      return false;
    };
    const CsvFileMerge merge = MergeCsvFile(file, stopped, us, steps);
    EXPECT_FALSE(merge.finished);
    EXPECT_GT(stopped.Count(), 0);
    EXPECT_GT(bytes, 0u);
    EXPECT_LT(stopped.Count(), text == own ? LiteralMerge(own).Count() : 9000);
  }
}

}  // namespace
}  // namespace tolvane::testing
