#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/fakes.h"
#include "reports_fixture.h"
#include "util/files.h"

namespace tolvane {
namespace {

using testing_support::FileSizeLimit;
using testing_support::TempFolder;

const std::vector<std::string> kSeven = {
    "\tAverage End Price:\t\t$15.00",
    "\tTotal Items:\t\t2",
    "\tTotal Checked:\t\t1",
    "\tAverage number of bids:\t3.00",
    "\tLow:\t\t\t$15.00",
    "\tHigh:\t\t\t$15.00",
    "\t* Results are computed from checked items."};

constexpr const char* kSevenBytes =
    "\tAverage End Price:\t\t$15.00\r\n"
    "\tTotal Items:\t\t2\r\n"
    "\tTotal Checked:\t\t1\r\n"
    "\tAverage number of bids:\t3.00\r\n"
    "\tLow:\t\t\t$15.00\r\n"
    "\tHigh:\t\t\t$15.00\r\n"
    "\t* Results are computed from checked items.\r\n";

struct SaveCase {
  const char* name;
  std::vector<std::string> memo;
  std::string file;
  std::string bytes;
};

class SummarySaveTest : public ::testing::TestWithParam<SaveCase> {};

// Catches line ends other than CR LF, a missing last line end, anything
// added around the memo's text, typed text left out, and a ".csv" name that
// changes the content.
TEST_P(SummarySaveTest, WritesTheMemoTextExactly) {
  const SaveCase& c = GetParam();
  TempFolder folder;
  fakes::FakeApp f;
  f.MResultsLeft.lines = c.memo;
  f.file_dialog.answers.push_back(folder.File(c.file));
  f.Dispatch([&] { f.FrmPrice->SaveResults1Click(Sender{"SaveResults1"}); });
  EXPECT_TRUE(f.message_box.shown.empty());
  EXPECT_EQ(ReadWholeFile(folder.File(c.file)), c.bytes);
  // The dialog ran with the form's settings and keeps the chosen name.
  ASSERT_EQ(f.file_dialog.save_seen.size(), 1u);
  EXPECT_EQ(f.file_dialog.save_seen[0].title, "Tolvane");
  EXPECT_EQ(f.file_dialog.save_seen[0].default_ext, "txt");
  EXPECT_EQ(f.FrmPrice->SvDlg().file_name, folder.File(c.file));
}

INSTANTIATE_TEST_SUITE_P(
    Memos, SummarySaveTest,
    ::testing::Values(
        SaveCase{"SevenLines", kSeven, "summary.txt", kSevenBytes},
        SaveCase{"CsvNameSameText", kSeven, "summary.csv", kSevenBytes},
        SaveCase{"TypedText",
                 {"my notes \xE9", "", "\tTotal Items:\t\t2"},
                 "typed.txt",
                 "my notes \xE9\r\n\r\n\tTotal Items:\t\t2\r\n"},
        SaveCase{"EmptyMemo", {}, "empty.txt", ""}),
    [](const auto& test) { return std::string(test.param.name); });

// Catches a save that truncates the old file before the new text is safely
// written, a temporary file left behind, or a failure reported as success.
// Root writes anywhere, so the writes fail without permission bits: a file
// size limit stands in for a full disk, a folder stands at the target's
// name, and a plain file where the target's folder should be.
TEST(SummarySaveFailureTest, FailedSaveKeepsTheOldFileAndReports) {
  TempFolder folder;
  const std::string old_file = folder.File("summary.txt");
  std::ofstream(old_file, std::ios::binary) << "old summary\r\n";
  const std::string plain = folder.File("plain");
  std::ofstream(plain, std::ios::binary) << "x";
  std::filesystem::create_directories(folder.File("a_folder/inside"));
  struct Case {
    std::string chosen;
    bool disk_full;
  } cases[] = {
      {old_file, true},
      {folder.File("a_folder"), false},
      {plain + "/summary.txt", false},
  };
  for (const Case& c : cases) {
    fakes::FakeApp f;
    f.MResultsLeft.lines = kSeven;
    f.file_dialog.answers.push_back(c.chosen);
    {
      FileSizeLimit limit(c.disk_full ? 16 : -1);
      f.Dispatch(
          [&] { f.FrmPrice->SaveResults1Click(Sender{"SpeedButton2"}); });
    }
    ASSERT_EQ(f.message_box.shown.size(), 1u) << c.chosen;
    EXPECT_EQ(f.message_box.shown[0].text,
              "Cannot create file " + c.chosen + ".");
    EXPECT_EQ(f.message_box.shown[0].icon, MbIcon::kStop);
  }
  EXPECT_EQ(ReadWholeFile(old_file), "old summary\r\n");
  EXPECT_EQ(ReadWholeFile(plain), "x");
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("a_folder/inside")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            3);
}

// Catches a file written after the save dialog was cancelled.
TEST(SummarySaveFailureTest, CancelledDialogWritesNothing) {
  TempFolder folder;
  fakes::FakeApp f;
  f.MResultsLeft.lines = kSeven;
  f.file_dialog.answers.push_back(std::nullopt);
  f.Dispatch([&] { f.FrmPrice->SaveResults1Click(Sender{"SaveResults1"}); });
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_TRUE(f.message_box.shown.empty());
}

}  // namespace
}  // namespace tolvane
