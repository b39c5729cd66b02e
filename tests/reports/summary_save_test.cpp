#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "reports_fixture.h"
#include "util/files.h"

namespace tolvane::testing {
namespace {

using Lines = std::vector<std::string>;

const Lines kSeven = {"\tAverage End Price:\t\t$15.00",
                      "\tTotal Items:\t\t2",
                      "\tTotal Checked:\t\t1",
                      "\tAverage number of bids:\t3.00",
                      "\tLow:\t\t\t$15.00",
                      "\tHigh:\t\t\t$15.00",
                      "\t* Results are computed from checked items."};

void Save(fakes::FakeApp& f, std::optional<std::string> answer) {
  f.file_dialog.answers.push_back(std::move(answer));
  f.Dispatch([&] { f.FrmPrice->SaveResults1Click(Sender{"SaveResults1"}); });
}

// Catches line ends other than CR LF, a missing last line end, anything
// added around the memo's text, typed text left out, a ".csv" name that
// changes the content, and a file written after the dialog was cancelled.
TEST(SummarySaveTest, WritesTheMemoTextExactly) {
  std::string seven_bytes;
  for (const std::string& line : kSeven) seven_bytes += line + "\r\n";
  struct Case {
    Lines memo;
    std::string file, bytes;
  } cases[] = {{kSeven, "summary.txt", seven_bytes},
               {kSeven, "summary.csv", seven_bytes},
               {{"my notes \xE9", "", "\tTotal Items:\t\t2"},
                "typed.txt",
                "my notes \xE9\r\n\r\n\tTotal Items:\t\t2\r\n"},
               {{}, "empty.txt", ""}};
  for (const Case& c : cases) {
    TempFolder folder;
    fakes::FakeApp f;
    f.MResultsLeft.lines = c.memo;
    Save(f, folder / c.file);
    EXPECT_EQ(ReadWholeFile(folder / c.file), c.bytes) << c.file;
    // The dialog ran with the form's settings and keeps the chosen name.
    ASSERT_EQ(f.file_dialog.save_seen.size(), 1u);
    EXPECT_EQ(f.file_dialog.save_seen[0].title, "Tolvane");
    EXPECT_EQ(f.file_dialog.save_seen[0].default_ext, "txt");
    EXPECT_EQ(f.FrmPrice->SvDlg().file_name, folder / c.file);
    f.MResultsLeft.lines = {"changed"};
    Save(f, std::nullopt);
    EXPECT_EQ(ReadWholeFile(folder / c.file), c.bytes);
    EXPECT_TRUE(f.message_box.shown.empty());
  }
}

// Catches a save that truncates the old file before the new text is safely
// written, a temporary file left behind, or a failure reported as success.
// Root writes anywhere, so the writes fail without permission bits: a file
// size limit stands in for a full disk, a folder stands at the target's
// name, and a plain file where the target's folder should be.
TEST(SummarySaveTest, FailedSaveKeepsTheOldFileAndReports) {
  TempFolder folder;
  const std::string old_file = folder / "summary.txt";
  WriteText(old_file, "old summary\r\n");
  WriteText(folder / "plain", "x");
  std::filesystem::create_directories(folder / "a_folder/inside");
  struct Case {
    std::string chosen;
    bool disk_full;
  } cases[] = {{old_file, true},
               {folder / "a_folder", false},
               {folder / "plain/summary.txt", false}};
  for (const Case& c : cases) {
    fakes::FakeApp f;
    f.MResultsLeft.lines = kSeven;
    {
      FileSizeLimit limit(c.disk_full ? 16 : -1);
      Save(f, c.chosen);
    }
    ASSERT_EQ(f.message_box.shown.size(), 1u) << c.chosen;
    EXPECT_EQ(f.message_box.shown[0].text,
              "Cannot create file " + c.chosen + ".");
    EXPECT_EQ(f.message_box.shown[0].icon, MbIcon::kStop);
  }
  EXPECT_EQ(ReadWholeFile(old_file), "old summary\r\n");
  EXPECT_EQ(ReadWholeFile(folder / "plain"), "x");
  EXPECT_TRUE(std::filesystem::is_directory(folder / "a_folder/inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            3);
}

}  // namespace
}  // namespace tolvane::testing
