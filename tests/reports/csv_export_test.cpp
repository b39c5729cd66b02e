#include "reports/csv_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports_fixture.h"
#include "util/files.h"

namespace tolvane::testing {
namespace {

using Lines = std::vector<std::string>;

const std::string kNote =
    "\n\nCSV file is now saved to disk.  Note: In order to preserve CSV file "
    "integrity, commas and quotation marks characters have been replaced "
    "with apostrophe and period characters.\n\n";

// The Save Results dialog as the form sets it up.
const Dialog kSummaryDialog = {"Tolvane", "Text (*.txt)|*.TXT", 1, "", "txt"};

void Export(fakes::FakeApp& f, std::optional<std::string> answer) {
  f.file_dialog.answers.push_back(std::move(answer));
  f.Dispatch(
      [&] { f.FrmPrice->CreateCSVFileFromGrid1Click(Sender{"SpdBtnCSVOut"}); });
}

// Catches fields in the grid's column order (bids before price), unchecked
// rows left out, a description written uncleaned, line ends other than
// CR LF, the wrong dialog settings or note, and the busy window's text shown
// while the file is written.
TEST(CsvExportTest, WritesEveryRowAsFiveQuotedFields) {
  TempFolder folder;
  fakes::FakeApp f;
  f.EdtQuery.SetText("brass/lamp\x01 old");
  PutRow(f, {"1111111111", "Lamp \"Art Deco\", brass, old", "12", "$1,234.56",
             "Jun-01 10:00"});
  PutRow(f, {"2", "", "-", "$3.00", ""}, false);
  bool text_shown = true;
  f.busy_form.on_repaint = [&] { text_shown = f.busy_label.visible; };
  Export(f, folder / "out.csv");
  EXPECT_FALSE(text_shown);

  EXPECT_EQ(ReadWholeFile(folder / "out.csv"),
            "\"1111111111\",\"Lamp 'Art Deco'  . brass  . old\",\"$1,234.56\","
            "\"12\",\"Jun-01 10:00\"\r\n"
            "\"2\",\"\",\"$3.00\",\"-\",\"\"\r\n");
  ASSERT_EQ(f.file_dialog.save_seen.size(), 1u);
  EXPECT_EQ(DialogOf(f.file_dialog.save_seen[0]),
            Dialog("Export Search Results",
                   "Text (*.txt)|*.TXT|Comma Separated Value (*.csv)|*.CSV", 2,
                   "brass_lamp_ old", "txt"));
  // Left with the export settings, the next Save Results would use them.
  EXPECT_EQ(DialogOf(f.FrmPrice->SvDlg()), kSummaryDialog);
  EXPECT_EQ(f.busy_form.shows, 1);
  EXPECT_FALSE(f.busy_form.visible);
  EXPECT_TRUE(f.busy_label.visible);
  // The statistics are fresh, with the note below them.
  const Lines& memo = f.MResultsLeft.lines;
  EXPECT_NE(std::find(memo.begin(), memo.end(), "\tTotal Items:\t\t2"),
            memo.end());
  EXPECT_EQ(memo.back(), kNote);
  EXPECT_TRUE(f.message_box.shown.empty());
  EXPECT_EQ(f.FrmPrice->ListView1().Count(), 2);
}

// Catches a cancel that shows the busy window or the note, or leaves the
// export settings behind, an empty grid that writes nothing at all or
// skips the note, and a failed write that leaves the busy window open or
// its text hidden.
TEST(CsvExportTest, CancelWritesNothingAndAnEmptyGridAnEmptyFile) {
  TempFolder folder;
  fakes::FakeApp f;
  f.MResultsLeft.lines = {"typed"};
  Export(f, std::nullopt);
  EXPECT_EQ(f.busy_form.shows, 0);
  EXPECT_EQ(f.MResultsLeft.lines, Lines{"typed"});
  EXPECT_EQ(DialogOf(f.FrmPrice->SvDlg()), kSummaryDialog);

  Export(f, folder / "empty.csv");
  EXPECT_TRUE(std::filesystem::exists(folder / "empty.csv"));
  EXPECT_EQ(ReadWholeFile(folder / "empty.csv"), "");
  EXPECT_EQ(f.MResultsLeft.lines.back(), kNote);

  Export(f, folder.path().string());
  EXPECT_EQ(f.message_box.shown.size(), 1u);
  EXPECT_FALSE(f.busy_form.visible);
  EXPECT_TRUE(f.busy_label.visible);
}

// Catches proposed names that keep a path separator or control bytes.
TEST(CsvExportTest, ProposedNamesReplacePathSeparatorsAndControlBytes) {
  struct Case {
    std::string in, out;
  };
  const Case names[] = {{"brass lamp", "brass lamp"},
                        {"a/b\\c", "a_b\\c"},
                        {std::string("x\ty\x7fz\n", 7), "x_y_z__"},
                        {"caf\xC3\xA9", "caf\xC3\xA9"},
                        {"", ""}};
  for (const Case& c : names)
    EXPECT_EQ(ProposedCsvFileName(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace tolvane::testing
