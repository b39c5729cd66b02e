#include <gtest/gtest.h>
#include <unistd.h>

#include <QPlainTextEdit>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path Folder(const char* name) {
  const fs::path folder =
      fs::temp_directory_path() / (std::string("tolvane_gui_reports_") + name +
                                   "_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

// Catches the summary button saving the core's last lines instead of what
// the user typed into the memo, or typed text changed on the way to the
// file (line ends, accented letters).
TEST(ReportsWindowTest, SaveAndPrintTakeTheMemoAsTyped) {
  GuiHarness h;
  const fs::path folder = Folder("save");
  auto* memo = h.Find<QPlainTextEdit>("MResultsLeft");
  ASSERT_NE(memo, nullptr);
  memo->setFocus();
  QTest::keyClicks(memo, QStringLiteral("Prices fell"));
  QTest::keyClick(memo, Qt::Key_Tab);
  QTest::keyClicks(memo, QStringLiteral("last week"));
  QTest::keyClick(memo, Qt::Key_Return);
  // Letters beyond ASCII arrive as composed text, as from an input method.
  QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown,
                      QStringLiteral("caf\u00E9"), Qt::NoModifier);
  QTest::keyClicks(memo, QStringLiteral(" lamps"));

  h.file_dialog.answers.push_back((folder / "summary.txt").string());
  h.Click("SpeedButton2");
  EXPECT_EQ(ReadBytes(folder / "summary.txt"),
            "Prices fell\tlast week\r\ncaf\xC3\xA9 lamps\r\n");

  h.message_box.answers = {MbResult::kNo};
  h.Click("SpeedButton1");
  EXPECT_EQ(h.printer.title, " Tolvane Statistics Report ");
  const std::vector<std::string> expected = {
      "",
      "",
      "Search Expression: \tSearch Expression",
      "",
      "",
      "Prices fell\tlast week",
      "caf\xC3\xA9 lamps",
      "",
      "",
      "-- end --"};
  EXPECT_EQ(h.printer.printed, expected);
  fs::remove_all(folder);
}

// Catches the export button writing other rows than the table shows, or
// the note not reaching the memo widget.
TEST(ReportsWindowTest, ExportButtonWritesTheTableAndShowsTheNote) {
  GuiHarness h;
  const fs::path folder = Folder("export");
  h.AppendRow({"1111111111", "Brass lamp, old", "3", "$12.50", "Nov-23 18:45"});
  h.AppendRow({"2222222222", "Tin \"lamp\"", "-", "$7.50", "Nov-22 09:10"});
  h.Flush();
  h.file_dialog.answers.push_back((folder / "grid.csv").string());
  h.Click("SpdBtnCSVOut");
  h.Flush();
  EXPECT_EQ(ReadBytes(folder / "grid.csv"),
            "\"1111111111\",\"Brass lamp  . old\",\"$12.50\",\"3\",\"Nov-23 "
            "18:45\"\r\n"
            "\"2222222222\",\"Tin 'lamp'\",\"$7.50\",\"-\",\"Nov-22 "
            "09:10\"\r\n");
  EXPECT_TRUE(h.Find<QPlainTextEdit>("MResultsLeft")
                  ->toPlainText()
                  .contains(QStringLiteral("CSV file is now saved to disk.")));
  EXPECT_TRUE(h.message_box.shown.empty());
  // The summary saved now holds the note's line feeds as they are.
  h.file_dialog.answers.push_back((folder / "summary.txt").string());
  h.Click("SpeedButton2");
  const std::string saved = ReadBytes(folder / "summary.txt");
  EXPECT_NE(saved.find("items.\r\n\n\nCSV file is now saved"),
            std::string::npos)
      << saved;
  EXPECT_TRUE(saved.ends_with("characters.\n\n\r\n")) << saved;
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tolvane::gui::testing
