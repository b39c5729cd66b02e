#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "fakes/fakes.h"
#include "reports_fixture.h"

namespace tolvane {
namespace {

using testing_support::PutRow;
using testing_support::TempFolder;
using Lines = std::vector<std::string>;

// A row as the tests compare it: the five texts and the check mark.
std::string Show(const ResultRow& row) {
  return row.item + "|" + row.description + "|" + row.bids + "|" + row.price +
         "|" + row.ended + (row.checked ? "|x" : "|-");
}

Lines Rows(const fakes::FakeApp& f) {
  Lines rows;
  for (const ResultRow& row : f.FrmPrice->ListView1().Rows()) {
    rows.push_back(Show(row));
  }
  return rows;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
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

bool HasLine(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
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
  f.file_dialog.answers.push_back(folder.File("grid.csv"));
  f.Dispatch(
      [&] { f.FrmPrice->CreateCSVFileFromGrid1Click(Sender{"SpdBtnCSVOut"}); });
  Import(f, folder.File("grid.csv"));

  EXPECT_EQ(Rows(f), (Lines{
                         "3333333333|Lamp 'Deco'  . brass|12|$1,234.56|"
                         "Jun-01 10:00|x",
                         "1111111111|Tin lamp|-|$3.00|Jun-02 11:30|x",
                         "2222222222|Oil lamp|0|$0.99|notAvail|x",
                     }));
  EXPECT_EQ(f.EdtQuery.text, "");
  EXPECT_TRUE(f.message_box.shown.empty());
  EXPECT_TRUE(HasLine(f.MResultsLeft.lines, "\tTotal Items:\t\t3"));
  EXPECT_TRUE(HasLine(f.MResultsLeft.lines, "\tTotal Checked:\t\t3"));
  // The open dialog keeps its own settings and offers the file again.
  ASSERT_EQ(f.file_dialog.open_seen.size(), 1u);
  const FileDialogSettings& seen = f.file_dialog.open_seen[0];
  EXPECT_EQ(seen.title, "Import CSV FIle");
  EXPECT_EQ(seen.filter,
            "Text (*.txt)|*.TXT|Comma Separated Value (*.csv)|*.CSV");
  EXPECT_EQ(seen.filter_index, 2);
  EXPECT_EQ(seen.default_ext, "CSV");
  EXPECT_EQ(f.FrmPrice->OpnDlg().file_name, folder.File("grid.csv"));
}

struct MergeCase {
  const char* name;
  std::string file;
  Lines added;  // rows after the two already in the grid
};

class CsvMergeFileTest : public ::testing::TestWithParam<MergeCase> {};

// Catches records cut other than at their quotation marks (price and bids
// swapped, a last line without a break lost, LF-only files misread),
// duplicates added, the old rows' check marks touched, and the price filter
// applied to new rows.
TEST_P(CsvMergeFileTest, AddsTheRecordsAddItemAccepts) {
  const MergeCase& c = GetParam();
  TempFolder folder;
  fakes::FakeApp f;
  PutRow(f, {"1111111111", "Tin lamp", "-", "$3.00", "Jun-02 11:30"}, false);
  PutRow(f, {"2222222222", "Oil lamp", "4", "$9.00", "Jun-03 09:00"});
  f.EdtHiFilter.SetText("5.00");
  WriteBytes(folder.File("in.csv"), c.file);
  Merge(f, folder.File("in.csv"));

  Lines expected = {"1111111111|Tin lamp|-|$3.00|Jun-02 11:30|-",
                    "2222222222|Oil lamp|4|$9.00|Jun-03 09:00|x"};
  expected.insert(expected.end(), c.added.begin(), c.added.end());
  EXPECT_EQ(Rows(f), expected);
  EXPECT_TRUE(f.message_box.shown.empty());
  EXPECT_TRUE(HasLine(f.MResultsLeft.lines,
                      "\tTotal Items:\t\t" + std::to_string(expected.size())));
  // The memo holds the summary of the grid as the merge left it.
  const Lines after_merge = f.MResultsLeft.lines;
  f.FrmPrice->ComputeSummary();
  EXPECT_EQ(after_merge, f.MResultsLeft.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvMergeFileTest,
    ::testing::Values(
        MergeCase{"PriceBeforeBids",
                  "\"3333333333\",\"Brass lamp\",\"$25.00\",\"7\",\"Jun-04 "
                  "08:15\"\r\n",
                  {"3333333333|Brass lamp|7|$25.00|Jun-04 08:15|x"}},
        MergeCase{"LastLineWithoutBreak",
                  "\"3333333333\",\"a\",\"$1.00\",\"1\",\"e1\"\r\n"
                  "\"4444444444\",\"b\",\"$2.00\",\"2\",\"e2\"",
                  {"3333333333|a|1|$1.00|e1|x", "4444444444|b|2|$2.00|e2|x"}},
        MergeCase{"LineFeedsOnly",
                  "\"3333333333\",\"a\",\"$1.00\",\"1\",\"e1\"\n"
                  "\"4444444444\",\"b\",\"$2.00\",\"2\",\"e2\"\n",
                  {"3333333333|a|1|$1.00|e1|x", "4444444444|b|2|$2.00|e2|x"}},
        MergeCase{"AllRowsAlreadyThere",
                  "\"1111111111\",\"Tin lamp\",\"$3.00\",\"-\",\"x\"\r\n"
                  "\"2222222222\",\"Oil lamp\",\"$9.00\",\"4\",\"y\"\r\n",
                  {}},
        MergeCase{"DuplicateInsideTheFile",
                  "\"3333333333\",\"a\",\"$1.00\",\"1\",\"e1\"\r\n"
                  "\"3333333333\",\"b\",\"$2.00\",\"2\",\"e2\"\r\n",
                  {"3333333333|a|1|$1.00|e1|x"}},
        MergeCase{"UnusablePriceLeftOut",
                  "\"3333333333\",\"a\",\"USD 1\",\"1\",\"e1\"\r\n"
                  "\"4444444444\",\"b\",\"$2.00\",\"2\",\"e2\"\r\n",
                  {"4444444444|b|2|$2.00|e2|x"}},
        // A space after each comma shifts every field after the item
        // number; what AddItem accepts of that is added as it was cut.
        MergeCase{"SpaceAfterEachComma",
                  "\"3333333333\", \"ab12\", \"$2.00\", \"3\", \"Jun-01\"\r\n",
                  {"3333333333|||12|.00|x"}},
        MergeCase{"BlankLinesOnly", "\r\n\r\n", {}}),
    [](const auto& test) { return std::string(test.param.name); });

// Catches a cancelled Import that has already emptied the grid and the
// search box, and a cancelled Merge that touches anything.
TEST(CsvMergeTest, CancelledImportOrMergeKeepsEverything) {
  for (bool import : {true, false}) {
    fakes::FakeApp f;
    f.EdtQuery.SetText("brass lamp");
    PutRow(f, {"1111111111", "Tin lamp", "-", "$3.00", "e"});
    f.MResultsLeft.lines = {"typed"};
    if (import) {
      Import(f, std::nullopt);
    } else {
      Merge(f, std::nullopt);
    }
    EXPECT_EQ(Rows(f), Lines{"1111111111|Tin lamp|-|$3.00|e|x"});
    EXPECT_EQ(f.EdtQuery.text, "brass lamp");
    EXPECT_EQ(f.MResultsLeft.lines, Lines{"typed"});
    EXPECT_TRUE(f.message_box.shown.empty());
  }
}

// Catches an empty file merged as a record, a missing file that fails
// silently, and either of them touching the grid or the memo; and an Import
// that empties the grid before it finds it cannot read the file.
TEST(CsvMergeTest, EmptyOrMissingFileIsReportedAndChangesNothing) {
  TempFolder folder;
  WriteBytes(folder.File("empty.csv"), "");
  struct Case {
    std::string file;
    std::string text;
    std::string caption;
    void (*command)(fakes::FakeApp&, std::optional<std::string>);
  } cases[] = {
      {folder.File("empty.csv"), "No Items In File", "", Merge},
      {folder.File("missing.csv"),
       "Cannot open file " + folder.File("missing.csv") + ".", "Tolvane 1.6",
       Merge},
      {folder.Path().string(),
       "Cannot open file " + folder.Path().string() + ".", "Tolvane 1.6",
       Merge},
      {folder.File("missing.csv"),
       "Cannot open file " + folder.File("missing.csv") + ".", "Tolvane 1.6",
       Import},
  };
  for (const Case& c : cases) {
    fakes::FakeApp f;
    f.EdtQuery.SetText("brass lamp");
    PutRow(f, {"1111111111", "Tin lamp", "-", "$3.00", "e"});
    f.MResultsLeft.lines = {"typed"};
    c.command(f, c.file);
    ASSERT_EQ(f.message_box.shown.size(), 1u) << c.file;
    EXPECT_EQ(f.message_box.shown[0].text, c.text);
    EXPECT_EQ(f.message_box.shown[0].caption, c.caption);
    EXPECT_EQ(f.message_box.shown[0].buttons, MbButtons::kOk);
    EXPECT_EQ(f.FrmPrice->ListView1().Count(), 1);
    EXPECT_EQ(f.MResultsLeft.lines, Lines{"typed"});
    EXPECT_EQ(f.EdtQuery.text, "brass lamp");
  }
}

// Catches an Import of an empty file that keeps the old rows: New Search
// has run by then, and the memo keeps the old statistics.
TEST(CsvMergeTest, ImportOfAnEmptyFileLeavesAnEmptyGrid) {
  TempFolder folder;
  WriteBytes(folder.File("empty.csv"), "");
  fakes::FakeApp f;
  f.EdtQuery.SetText("brass lamp");
  PutRow(f, {"1111111111", "Tin lamp", "-", "$3.00", "e"});
  f.MResultsLeft.lines = {"old statistics"};
  Import(f, folder.File("empty.csv"));
  EXPECT_EQ(f.FrmPrice->ListView1().Count(), 0);
  EXPECT_EQ(f.EdtQuery.text, "");
  EXPECT_EQ(f.MResultsLeft.lines, Lines{"old statistics"});
  ASSERT_EQ(f.message_box.shown.size(), 1u);
  EXPECT_EQ(f.message_box.shown[0].text, "No Items In File");
}

}  // namespace
}  // namespace tolvane
