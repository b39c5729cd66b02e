#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCursor>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "gui_harness.h"
#include "util/files.h"

namespace tolvane::gui::testing {
namespace {

ParsedItem Item(int n, const char* bids = "3", const char* price = "$20.00") {
  return {std::to_string(1000000000 + n), "Item " + std::to_string(n), bids,
          price, "Nov-23 18:45"};
}

QModelIndex Cell(GuiHarness& h, int row, int column = 0) {
  return h.Table().model()->index(row, column);
}

// A click on a check box that recomputes the statistics or touches other
// rows, or that does not reach the row.
TEST(GridViewTest, TheUsersCheckBoxClickOnlyMarksTheRow) {
  GuiHarness h;
  for (int i = 0; i < 3; ++i) h.AppendRow(Item(i));
  h.FrmPrice().MResultsLeft.Add("summary before");
  h.Flush();
  const QRect cell = h.Table().visualRect(Cell(h, 1));
  QTest::mouseClick(h.Table().viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(cell.left() + 10, cell.center().y()));
  EXPECT_FALSE(h.Grid().Row(1).checked);
  EXPECT_TRUE(h.Grid().Row(0).checked && h.Grid().Row(2).checked);
  EXPECT_EQ(Cell(h, 1).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_EQ(h.FrmPrice().MResultsLeft.Lines(),
            std::vector<std::string>{"summary before"});
  EXPECT_FALSE(h.Grid().IconAverage().has_value());
}

// A selection that the delete command cannot see, or one that sticks to
// the old places after a sort.
TEST(GridViewTest, SelectionFollowsTheRowsThroughSortAndDelete) {
  GuiHarness h;
  for (int i = 0; i < 5; ++i) h.AppendRow(Item(i));
  h.Flush();
  QItemSelectionModel* selection = h.Table().selectionModel();
  h.Table().selectRow(1);
  selection->select(Cell(h, 3),
                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
  std::vector<bool> marked;
  for (const ResultRow& row : h.Grid().Rows()) marked.push_back(row.selected);
  EXPECT_EQ(marked, (std::vector<bool>{false, true, false, true, false}));

  h.Grid().Reorder({4, 3, 2, 1, 0});
  EXPECT_EQ(selection->selectedRows().size(), 2);
  EXPECT_TRUE(selection->isRowSelected(1) && selection->isRowSelected(3));

  h.Grid().RemoveIf([](const ResultRow& row) { return !row.selected; });
  EXPECT_EQ(h.Table().model()->rowCount(), 2);
  EXPECT_EQ(selection->selectedRows().size(), 2);
  EXPECT_TRUE(h.Grid().Row(0).selected && h.Grid().Row(1).selected);
}

// A double click that opens another row's page, the wrong address, or
// anything at all below the last row.
TEST(GridViewTest, DoubleClickOpensTheItemPage) {
  GuiHarness h;
  for (int i = 1; i <= 2; ++i) h.AppendRow(Item(i));
  h.Flush();
  QWidget* viewport = h.Table().viewport();
  const QPoint second = h.Table().visualRect(Cell(h, 1, 1)).center();
  // The second row, then below the last one.
  for (const QPoint at : {second, QPoint(second.x(), viewport->height() - 3)}) {
    QCursor::setPos(viewport->mapToGlobal(at));
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(h.shell.opened.size(), 1u);
  }
  EXPECT_EQ(h.shell.opened,
            std::vector<std::string>{
                "http://cgi.ebay.com/ws/"
                "eBayISAPI.dll?MfcISAPICommand=ViewItem&item=1000000002"});
  EXPECT_TRUE(h.message_box.shown.empty());
}

// Catches the summary button saving the core's last lines instead of what
// the user typed into the memo, or typed text changed on the way to the
// file (line ends, accented letters).
TEST(GridViewTest, SaveAndPrintTakeTheMemoAsTyped) {
  GuiHarness h;
  QTemporaryDir folder;
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

  h.file_dialog.answers.push_back(folder.filePath("summary.txt").toStdString());
  h.Click("SpeedButton2");
  EXPECT_EQ(ReadWholeFile(folder.filePath("summary.txt").toStdString()),
            "Prices fell\tlast week\r\ncaf\xC3\xA9 lamps\r\n");

  h.message_box.answers = {MbResult::kNo};
  h.Click("SpeedButton1");
  EXPECT_THAT(
      h.printer.printed,
      ::testing::IsSupersetOf({"Prices fell\tlast week", "caf\xC3\xA9 lamps"}));
}

// Catches the export's note not reaching the memo widget, or its line
// feeds changed on the way back from the widget to the saved summary.
TEST(GridViewTest, ExportNoteShowsAndKeepsItsLineFeeds) {
  GuiHarness h;
  QTemporaryDir folder;
  h.AppendRow({"1111111111", "Brass lamp, old", "3", "$12.50", "Nov-23 18:45"});
  h.Flush();
  h.file_dialog.answers.push_back(folder.filePath("grid.csv").toStdString());
  h.Click("SpdBtnCSVOut");
  h.Flush();
  const QString memo = h.Find<QPlainTextEdit>("MResultsLeft")->toPlainText();
  EXPECT_TRUE(memo.contains("CSV file is now saved to disk."));
  EXPECT_TRUE(h.message_box.shown.empty());
  // The summary saved now holds the note's line feeds as they are.
  h.file_dialog.answers.push_back(folder.filePath("summary.txt").toStdString());
  h.Click("SpeedButton2");
  const std::string saved =
      ReadWholeFile(folder.filePath("summary.txt").toStdString());
  EXPECT_NE(saved.find("items.\r\n\n\nCSV file is now saved"),
            std::string::npos)
      << saved;
  EXPECT_TRUE(saved.ends_with("characters.\n\n\r\n")) << saved;
}

}  // namespace
}  // namespace tolvane::gui::testing
