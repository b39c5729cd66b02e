#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/row_sort.h"
#include "app/temp_folder.h"
#include "fakes/fakes.h"

namespace tolvane {
namespace {

// What Cancel must leave alone: rows in order with their marks, the memo,
// the icons' average, the currency and the search text.
std::vector<std::string> State(fakes::FakeApp& f) {
  std::vector<std::string> state = f.MResultsLeft.lines;
  const ResultGrid& grid = f.FrmPrice->ListView1();
  for (const RowView row : grid.Rows()) {
    state.push_back(std::string(row.item) + (row.checked ? " x" : " -") +
                    (row.selected ? " s" : ""));
  }
  state.push_back(std::to_string(grid.IconAverage().value_or(-1)) + " " +
                  std::string(grid.Currency()) + " " + f.EdtQuery.text);
  return state;
}

// Catches a Cancel that leaves rows half imported or half merged, loses the
// old rows, touches their marks or the summary, leaves captions of dropped
// rows for the duplicate test (a second merge would then skip them), an
// export that writes its file anyway, a sort that moves rows or turns its
// direction, or a bar left up.
// A file of more records than one batch takes.
void WriteSold(const std::filesystem::path& path) {
  std::string file;
  for (int i = 0; i < 9000; ++i) {
    file += "\"" + std::to_string(500000 + i) +
            "\",\"Lamp\",\"$2.00\",\"1\",\"Jun-01 10:00\"\n";
  }
  testing::WriteText(path, file);
}

TEST(CsvCancelTest, CancelAfterTheFirstBatchLeavesTheGridAsItWas) {
  testing::TempFolder folder;
  WriteSold(folder / "sold.csv");
  fakes::FakeApp f;
  ResultGrid& grid = f.FrmPrice->ListView1();
  for (const char* item : {"300", "100", "200"}) {
    grid.Append(*MakeRow({item, "Old", "3", "$9.00", "Jun-02 11:00"},
                         RegionalSettings::UnitedStates()));
  }
  grid.SetChecked(1, false);
  grid.SetSelected(2, true);
  f.FrmPrice->ComputeSummary();
  f.MResultsLeft.Add("a note");
  f.EdtQuery.SetText("lamp");
  const std::vector<std::string> before = State(f);
  f.progress.cancel_at = 1;
  for (const bool import : {true, false}) {
    f.file_dialog.answers.push_back(folder / "sold.csv");
    f.Dispatch([&] {
      if (import) f.FrmPrice->ImportCSVFileFromGrid1Click(Sender{"x"});
      if (!import) f.FrmPrice->MergeCSVFileWithCurrentGridResults1Click({});
    });
    EXPECT_EQ(State(f), before) << import;
    EXPECT_FALSE(f.progress.shown);
  }
  EXPECT_EQ(
      f.progress.captions,
      (std::vector<std::string>{"Importing sold.csv…", "Merging sold.csv…"}));
  EXPECT_TRUE(f.message_box.shown.empty());
  f.progress.cancel_at = 0;
  // A merge refused part way writes the summary again, and so does the next.
  testing::WriteText(folder / "gbp.csv", "Item,Price (GBP)\n7,5.00\n");
  for (const char* name : {"gbp.csv", "sold.csv"}) {
    f.file_dialog.answers.push_back(folder / name);
    f.Dispatch(
        [&] { f.FrmPrice->MergeCSVFileWithCurrentGridResults1Click({}); });
    EXPECT_NE(f.MResultsLeft.lines.back(), "a note");
  }
  EXPECT_EQ(grid.Count(), 9003);
  EXPECT_NE(State(f)[1].find("9003"), std::string::npos);
  const std::vector<std::string> merged = State(f);
  f.progress.cancel_at = 1;
  f.file_dialog.answers.push_back(folder / "out.csv");
  f.Dispatch([&] { f.FrmPrice->CreateCSVFileFromGrid1Click({}); });
  EXPECT_EQ(State(f), merged);
  EXPECT_FALSE(std::filesystem::exists(folder / "out.csv"));
  // A cancelled sort moves no row and keeps the first click ascending.
  f.Dispatch([&] { f.FrmPrice->ListView1ColumnClick({}, kPriceColumn); });
  EXPECT_EQ(State(f), merged);
  f.progress.cancel_at = 0;
  f.Dispatch([&] { f.FrmPrice->ListView1ColumnClick({}, kPriceColumn); });
  EXPECT_EQ(grid.Row(0).item, "500000");
  EXPECT_EQ(f.progress.captions.back(), "Sorting by Price…");
}

// Catches a Get's timer or page handled amid a long command, where its rows
// would land between the merge's and a Cancel would drop them; and one kept
// but never handled, or handled once for each tick kept.
TEST(CsvCancelTest, AGetsEventsWaitForTheCommandsEnd) {
  testing::TempFolder folder;
  WriteSold(folder / "sold.csv");
  fakes::FakeApp f;
  f.TmrTimeout.SetInterval(1000);
  f.TmrTimeout.SetEnabled(true);
  int seen_during = -1;
  f.progress.on_set = [&] {
    f.TmrTimeout.Fire();
    f.TmrTimeout.Fire();
    seen_during = static_cast<int>(f.sound.played.size());
  };
  f.file_dialog.answers.push_back(folder / "sold.csv");
  f.Dispatch([&] { f.FrmPrice->MergeCSVFileWithCurrentGridResults1Click({}); });
  EXPECT_EQ(seen_during, 0);
  EXPECT_FALSE(f.TmrTimeout.enabled);
  // The page's end, sound and all, once.
  EXPECT_EQ(f.sound.played.size(), 1u);
  EXPECT_EQ(f.FrmPrice->ListView1().Count(), 9000);
}

}  // namespace
}  // namespace tolvane
