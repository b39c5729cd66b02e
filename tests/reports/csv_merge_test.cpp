#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports_fixture.h"

namespace tolvane::testing {
namespace {

using Lines = std::vector<std::string>;

// The grid's rows as the tests compare them: the five texts and the check
// mark.
Lines Rows(const fakes::FakeApp& f) {
  Lines rows;
  for (const ResultRow& row : f.FrmPrice->ListView1().Rows()) {
    rows.push_back(row.item + "|" + row.description + "|" + row.bids + "|" +
                   row.price + "|" + row.ended + (row.checked ? "|x" : "|-"));
  }
  return rows;
}

void Merge(fakes::FakeApp& f, std::optional<std::string> answer) {
  f.file_dialog.answers.push_back(std::move(answer));
  f.Dispatch([&] {
    f.FrmPrice->MergeCSVFileWithCurrentGridResults1Click(
        Sender{"SpeedButton3"});
  });
}

void Import(fakes::FakeApp& f, std::optional<std::string> answer) {
  f.file_dialog.answers.push_back(std::move(answer));
  f.Dispatch(
      [&] { f.FrmPrice->ImportCSVFileFromGrid1Click(Sender{"SpdBtnCSVIn"}); });
}

// Catches any row lost, reordered or changed on the way out and back in,
// unchecked rows coming back unchecked, a description not cleaned, and an
// Import that keeps the old rows or the search text.
TEST(CsvMergeTest, ExportThenImportGivesEveryRowBack) {
  TempFolder folder;
  fakes::FakeApp f;
  f.EdtQuery.SetText("brass lamp");
  PutRow(f, {"3333333333", "Lamp \"Deco\", brass", "12", "$1,234.56",
             "Jun-01 10:00"});
  PutRow(f, {"1111111111", "Tin lamp", "-", "$3.00", "Jun-02 11:30"}, false);
  PutRow(f, {"2222222222", "Oil lamp", "0", "$0.99", "notAvail"});
  f.file_dialog.answers.push_back(folder / "grid.csv");
  f.Dispatch(
      [&] { f.FrmPrice->CreateCSVFileFromGrid1Click(Sender{"SpdBtnCSVOut"}); });
  Import(f, folder / "grid.csv");

  EXPECT_EQ(Rows(f), (Lines{
                         "3333333333|Lamp 'Deco'  . brass|12|$1,234.56|"
                         "Jun-01 10:00|x",
                         "1111111111|Tin lamp|-|$3.00|Jun-02 11:30|x",
                         "2222222222|Oil lamp|0|$0.99|notAvail|x",
                     }));
  EXPECT_EQ(f.EdtQuery.text, "");
  EXPECT_TRUE(f.message_box.shown.empty());
  // The open dialog keeps its own settings and offers the file again.
  ASSERT_EQ(f.file_dialog.open_seen.size(), 1u);
  EXPECT_EQ(DialogOf(f.file_dialog.open_seen[0]),
            Dialog("Import CSV FIle",
                   "Text (*.txt)|*.TXT|Comma Separated Value (*.csv)|*.CSV", 2,
                   "", "CSV"));
  EXPECT_EQ(f.FrmPrice->OpnDlg().file_name, folder / "grid.csv");
}

// Catches records cut other than at their quotation marks (price and bids
// swapped, a last line without a break lost, line feeds misread),
// duplicates added, the old rows' check marks touched, the price filter
// applied to new rows, and a memo that is not the merged grid's summary,
// also after a merge that fails half way (its rows stay).
TEST(CsvMergeTest, MergeAddsTheRecordsAddItemAccepts) {
  struct Case {
    std::string file;
    Lines added;         // rows after the two already in the grid
    bool fails = false;  // after the first batch of rows
  } cases[] = {
      {"\"3333333333\",\"Brass lamp\",\"$25.00\",\"7\",\"Jun-04 08:15\"\n"
       "\"1111111111\",\"Tin lamp\",\"$3.00\",\"-\",\"x\"\r\n"
       "\"3333333333\",\"b\",\"$2.00\",\"2\",\"e2\"\r\n"
       "\"5555555555\",\"a\",\"USD 1\",\"1\",\"e1\"\r\n"
       "\"4444444444\",\"b\",\"$2.00\",\"2\",\"e2\"",
       {"3333333333|Brass lamp|7|$25.00|Jun-04 08:15|x",
        "4444444444|b|2|$2.00|e2|x"}},
      // A space after each comma shifts every field after the item number;
      // what AddItem accepts of that is added as it was cut.
      {"\"3333333333\", \"ab12\", \"$2.00\", \"3\", \"Jun-01\"\r\n",
       {"3333333333|||12|.00|x"}},
      {"\r\n\r\n", {}},
      {"\"4444444444\",\"b\",\"$2.00\",\"2\",\"e2\"",
       {"4444444444|b|2|$2.00|e2|x"},
       true}};
  for (const Case& c : cases) {
    TempFolder folder;
    fakes::FakeApp f;
    PutRow(f, {"1111111111", "Tin lamp", "-", "$3.00", "Jun-02 11:30"}, false);
    PutRow(f, {"2222222222", "Oil lamp", "4", "$9.00", "Jun-03 09:00"});
    f.EdtHiFilter.SetText("5.00");
    WriteText(folder / "in.csv", c.file);
    if (c.fails) f.main_form.on_repaint = [] { throw Error("Disk failed"); };
    Merge(f, folder / "in.csv");
    Lines expected = {"1111111111|Tin lamp|-|$3.00|Jun-02 11:30|-",
                      "2222222222|Oil lamp|4|$9.00|Jun-03 09:00|x"};
    expected.insert(expected.end(), c.added.begin(), c.added.end());
    EXPECT_EQ(Rows(f), expected) << c.file;
    EXPECT_EQ(f.message_box.shown.size(), c.fails ? 1u : 0u);
    const Lines after_merge = f.MResultsLeft.lines;
    f.FrmPrice->ComputeSummary();
    EXPECT_EQ(after_merge, f.MResultsLeft.lines);
  }
}

// Catches a cancel that touches anything, an empty file merged as a record,
// a missing file that fails silently, an Import that empties the grid before
// it finds it cannot read the file, and an Import of an empty file that
// keeps the old rows (New Search has run by then; the memo keeps the old
// statistics).
TEST(CsvMergeTest, CancelledEmptyOrMissingFileChangesOnlyWhatItMust) {
  TempFolder folder;
  const std::string empty = folder / "empty.csv";
  const std::string missing = folder / "missing.csv";
  WriteText(empty, "");
  struct Case {
    void (*command)(fakes::FakeApp&, std::optional<std::string>);
    std::optional<std::string> file;
    bool rows_kept;
  } cases[] = {{Merge, std::nullopt, true},
               {Import, std::nullopt, true},
               {Merge, empty, true},
               {Merge, missing, true},
               {Merge, folder.path().string(), true},
               {Import, missing, true},
               {Import, empty, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.value_or("cancelled"));
    fakes::FakeApp f;
    f.EdtQuery.SetText("brass lamp");
    PutRow(f, {"1111111111", "Tin lamp", "-", "$3.00", "e"});
    f.MResultsLeft.lines = {"typed"};
    c.command(f, c.file);
    EXPECT_EQ(Rows(f),
              c.rows_kept ? Lines{"1111111111|Tin lamp|-|$3.00|e|x"} : Lines{});
    EXPECT_EQ(f.EdtQuery.text, c.rows_kept ? "brass lamp" : "");
    EXPECT_EQ(f.MResultsLeft.lines, Lines{"typed"});
    ASSERT_EQ(f.message_box.shown.size(), c.file ? 1u : 0u);
    if (!c.file) continue;
    const bool no_items = *c.file == empty;
    EXPECT_EQ(
        f.message_box.shown[0].text,
        no_items ? "No Items In File" : "Cannot open file " + *c.file + ".");
    EXPECT_EQ(f.message_box.shown[0].caption, no_items ? "" : "Tolvane 1.6");
    EXPECT_EQ(f.message_box.shown[0].buttons, MbButtons::kOk);
  }
}

}  // namespace
}  // namespace tolvane::testing
