#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/sold_fixture.h"
#include "app/temp_folder.h"
#include "fakes/fakes.h"
#include "util/money.h"

namespace tolvane {
namespace {

using testing::SoldResultPage;
using testing::TempFolder;
using testing::WriteText;

// Catches a refused or unreadable page that stops the pages after it, a
// refusal not named with its file and reason, pages read otherwise than a
// Get reads them (classic pages, duplicates, unchecked listings), a file
// read whole however large, and the summary not brought up to date.
TEST(SavedPagesTest, EachPageAddsItsRowsAndRefusalsAreNamed) {
  TempFolder folder;
  WriteText(folder / "a.htm",
            SoldResultPage(
                {{"101", "$4.00"}, {"102", "$5.00", "Ended  Mar 6, 2026"}}));
  WriteText(folder / "bot.htm", testing::kChallengePage);
  WriteText(folder / "none.htm", SoldResultPage({}));  // nothing sold
  WriteText(folder / "again.html",
            SoldResultPage({{"101", "$4.00"}, {"103", "$6.00"}}));
  WriteText(folder / "pounds.htm", SoldResultPage({{"104",
                                                    "\xC2\xA3"
                                                    "9.00"}}));
  std::filesystem::create_directory(folder / "folder.htm");
  std::filesystem::resize_file(
      (WriteText(folder / "huge.htm", ""), folder / "huge.htm"),
      (std::uintmax_t{64} << 20) + 1);
  const std::string classic = folder / "classic.htm";
  WriteText(classic,
            "<a href=\"/ws/eBayISAPI.dll?ViewItem&item=3012345678\">Leica</a>"
            "<font size=3>$5.50</font><font size=3>2</font>"
            "<font size=3>Feb-17 21:23</font>\n");
  fakes::FakeApp f;
  f.file_dialog.files_answers.push_back(
      {folder / "a.htm", folder / "bot.htm", folder / "none.htm",
       folder / "missing.htm", folder / "again.html", folder / "pounds.htm",
       folder / "folder.htm", folder / "huge.htm", classic});
  f.Dispatch(
      [&] { f.FrmPrice->OpenSavedPages1Click(Sender{"OpenSavedPages1"}); });

  std::vector<std::string> rows;
  for (const RowView row : f.FrmPrice->ListView1().Rows()) {
    rows.push_back(std::string(row.item) + (row.checked ? "+" : "-"));
  }
  EXPECT_EQ(rows,
            (std::vector<std::string>{"101+", "102-", "103+", "3012345678+"}));
  ASSERT_EQ(f.message_box.shown.size(), 1u);
  const std::string refusals[] = {
      "bot.htm: The site asked to confirm that a person is searching. Open "
      "the address in your web browser, save the result page, and open it "
      "with File > Open Saved Pages.",
      "missing.htm: Cannot open file " + folder / "missing.htm",
      "pounds.htm: " + CurrencyConflictMessage("The page", "GBP", "USD"),
      "folder.htm: Cannot open file " + folder / "folder.htm",
      "huge.htm: The file is larger than 64 MiB, so it is no saved result "
      "page."};
  std::string expected;
  for (const std::string& line : refusals) {
    expected += (expected.empty() ? "" : "\n") + line;
  }
  EXPECT_EQ(f.message_box.shown[0].text, expected);
  EXPECT_EQ(f.MResultsLeft.lines.at(1), "\tTotal Items:\t\t4");
  EXPECT_EQ(f.file_dialog.open_seen.back().title, "Open Saved Pages");
  EXPECT_EQ(f.FrmPrice->OpnPagesDlg().file_name, folder / "a.htm");
}

}  // namespace
}  // namespace tolvane
