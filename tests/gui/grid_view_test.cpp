#include <gtest/gtest.h>

#include <QCursor>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "analysis/icons.h"
#include "gui/row_icons.h"
#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

ParsedItem Item(int n, const char* bids = "3", const char* price = "$20.00") {
  return {std::to_string(1000000000 + n), "Item " + std::to_string(n), bids,
          price, "Nov-23 18:45"};
}

QModelIndex Cell(GuiHarness& h, int row, int column = 0) {
  return h.Table().model()->index(row, column);
}

// Rows announced one at a time (a million insertions), or never announced
// when no one flushes.
TEST(GridViewTest, AppendedRowsArriveInBatches) {
  GuiHarness h;
  QSignalSpy inserted(h.Table().model(), &QAbstractItemModel::rowsInserted);
  for (int i = 0; i < 1000; ++i) h.AppendRow(Item(i));
  EXPECT_EQ(h.Table().model()->rowCount(), 0);
  // The event loop brings them in without help.
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return h.Table().model()->rowCount() == 1000; }, 1000));
  EXPECT_EQ(inserted.count(), 1);
  EXPECT_EQ(Cell(h, 999, 1).data().toString(), QStringLiteral("Item 999"));
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
  EXPECT_TRUE(h.Grid().Row(0).checked);
  EXPECT_TRUE(h.Grid().Row(2).checked);
  EXPECT_EQ(Cell(h, 1).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_EQ(h.FrmPrice().MResultsLeft.Lines(),
            std::vector<std::string>{"summary before"});
  EXPECT_FALSE(h.Grid().IconAverage().has_value());
}

struct IconCase {
  const char* bids;
  const char* price;
  int icon;
};

// An icon decided from a stale average, or the wrong picture drawn.
TEST(GridViewTest, RowsShowTheirDeviationIcon) {
  const IconCase kCases[] = {{"3", "$20.00", 1}, {"-", "$20.00", 0},
                             {"3", "$23.00", 2}, {"3", "$25.00", 3},
                             {"3", "$17.00", 4}, {"3", "$10.00", 5}};
  GuiHarness h;
  for (int i = 0; i < 6; ++i) {
    h.AppendRow(Item(i, kCases[i].bids, kCases[i].price));
  }
  h.Flush();
  EXPECT_FALSE(Cell(h, 0).data(Qt::DecorationRole).isValid());
  h.Grid().SetIconAverage(20.0f);
  h.Flush();
  for (int i = 0; i < 6; ++i) {
    const QPixmap shown = Cell(h, i).data(Qt::DecorationRole).value<QPixmap>();
    EXPECT_EQ(shown.toImage(), RowIcon(kCases[i].icon).toImage())
        << kCases[i].price;
    EXPECT_FALSE(Cell(h, i, 1).data(Qt::DecorationRole).isValid());
  }
}

// The six pictures confused or drawn in the wrong colours.
TEST(GridViewTest, RowIconsHaveTheirColours) {
  const QColor kBackgrounds[] = {QColor(192, 192, 192), Qt::red,     Qt::yellow,
                                 QColor(0, 128, 128),   Qt::magenta, Qt::white};
  for (int i = 0; i < kRowIconCount; ++i) {
    const QImage image = RowIcon(i).toImage();
    EXPECT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(image.pixelColor(3, 13), kBackgrounds[i]) << i;
  }
  // The zero-bid icon's yellow frame and green digit.
  const QImage zero = RowIcon(0).toImage();
  EXPECT_EQ(zero.pixelColor(1, 8), QColor(255, 255, 0));
  bool green = false;
  for (int x = 4; x < 12; ++x) {
    for (int y = 3; y < 13; ++y) {
      const QColor c = zero.pixelColor(x, y);
      green = green || (c.green() > 100 && c.red() < 80 && c.blue() < 80);
    }
  }
  EXPECT_TRUE(green);
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
  QModelIndexList rows = selection->selectedRows();
  std::vector<int> shown;
  for (const QModelIndex& index : rows) shown.push_back(index.row());
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, (std::vector<int>{1, 3}));

  h.Grid().RemoveIf([](const ResultRow& row) { return !row.selected; });
  EXPECT_EQ(h.Table().model()->rowCount(), 2);
  EXPECT_EQ(selection->selectedRows().size(), 2);
  EXPECT_TRUE(h.Grid().Row(0).selected && h.Grid().Row(1).selected);
}

// Cell texts in the old code page shown as replacement characters.
TEST(GridViewTest, CellsShowOldCodePageTexts) {
  GuiHarness h;
  h.AppendRow(
      {"1000000001", "Caf\xE9 \x93Paris\x94", "3", "$20.00", "Nov-23 18:45"});
  h.Flush();
  EXPECT_EQ(Cell(h, 0, 1).data().toString(),
            QStringLiteral("Caf\u00E9 \u201CParis\u201D"));
  EXPECT_EQ(h.Grid().Row(0).description, "Caf\xE9 \x93Paris\x94");
}

// The row under the pointer misread, which opens the wrong auction.
TEST(GridViewTest, TheRowUnderThePointerIsFound) {
  GuiHarness h;
  for (int i = 0; i < 4; ++i) h.AppendRow(Item(i));
  h.Flush();
  QWidget* viewport = h.Table().viewport();
  QSignalSpy doubles(&h.Table(), &ResultsTable::DoubleClicked);
  const QPoint inside = h.Table().visualRect(Cell(h, 2, 1)).center();
  QCursor::setPos(viewport->mapToGlobal(inside));
  ASSERT_EQ(QCursor::pos(), viewport->mapToGlobal(inside));
  QtGridView view(&h.Table());
  EXPECT_EQ(view.RowAtCursor(), std::optional<int>(2));
  QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, inside);
  EXPECT_EQ(doubles.count(), 1);
  QCursor::setPos(viewport->mapToGlobal(QPoint(5, viewport->height() - 3)));
  EXPECT_EQ(view.RowAtCursor(), std::nullopt);
}

// Rows that the table announces or lays out one by one, which a million
// rows would make crawl.
TEST(GridViewTest, ManyRowsStayCheap) {
  GuiHarness h;
  QSignalSpy inserted(h.Table().model(), &QAbstractItemModel::rowsInserted);
  auto row = MakeRow(Item(0), RegionalSettings::UnitedStates());
  ASSERT_TRUE(row.has_value());
  // Enough rows that per-row work in the view would show; the grid's own
  // appends dominate beyond this in a debug build.
  constexpr int kRows = 100000;
  for (int i = 0; i < kRows; ++i) {
    row->item = std::to_string(2000000000 + i);
    h.Grid().Append(*row);
    h.windows.MainForm().Repaint();
  }
  EXPECT_LE(inserted.count(), h.windows.MainForm().RealPaints() + 1);
  h.Flush();
  EXPECT_EQ(h.Table().model()->rowCount(), kRows);
  QElapsedTimer clock;
  clock.start();
  h.Table().scrollToBottom();
  h.Table().selectAll();
  h.Table().grab();
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_TRUE(h.Grid().Row(kRows - 1).selected);
}

}  // namespace
}  // namespace tolvane::gui::testing
