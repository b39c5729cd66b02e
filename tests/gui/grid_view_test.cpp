#include <gtest/gtest.h>

#include <QCursor>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

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

}  // namespace
}  // namespace tolvane::gui::testing
