#include <gtest/gtest.h>

#include <QCursor>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <string>
#include <vector>

#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

constexpr const char* kItemPage =
    "http://cgi.ebay.com/ws/eBayISAPI.dll?MfcISAPICommand=ViewItem&item=";

void AddRows(GuiHarness& h,
             const std::vector<std::pair<const char*, const char*>>& rows) {
  for (const auto& [item, price] : rows) {
    ASSERT_GT(h.FrmPrice().AddItem({item, "Lamp", "3", price, "Nov-23 18:45"}),
              0);
  }
  h.Flush();
}

QModelIndex Cell(GuiHarness& h, int row, int column = 0) {
  return h.Table().model()->index(row, column);
}

std::vector<std::string> ShownItems(GuiHarness& h) {
  h.Flush();
  std::vector<std::string> items;
  for (int i = 0; i < h.Table().model()->rowCount(); ++i) {
    items.push_back(Cell(h, i).data().toString().toStdString());
  }
  return items;
}

std::string MemoLine(GuiHarness& h, int line) {
  h.Flush();
  const QStringList lines =
      h.Find<QPlainTextEdit>("MResultsLeft")->toPlainText().split('\n');
  return lines.value(line).toStdString();
}

// A check box click that never reaches the statistics, or a filter box
// whose exit does not recompute them from the table's check marks.
TEST(RowsGuiTest, UncheckingInTheTableCountsWhenAFilterBoxIsLeft) {
  GuiHarness h;
  AddRows(h, {{"1000000001", "$10.00"},
              {"1000000002", "$20.00"},
              {"1000000003", "$60.00"}});
  EXPECT_EQ(MemoLine(h, 0), "\tAverage End Price:\t\t$30.00");
  const QRect cell = h.Table().visualRect(Cell(h, 2));
  QTest::mouseClick(h.Table().viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(cell.left() + 10, cell.center().y()));
  ASSERT_FALSE(h.Grid().Row(2).checked);
  EXPECT_EQ(MemoLine(h, 0), "\tAverage End Price:\t\t$30.00");

  auto* low = h.Find<QLineEdit>("EdtLowFilter");
  low->setFocus(Qt::MouseFocusReason);
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(low, &out);
  EXPECT_EQ(MemoLine(h, 0), "\tAverage End Price:\t\t$15.00");
  EXPECT_EQ(MemoLine(h, 2), "\tTotal Checked:\t\t2");
  EXPECT_EQ(Cell(h, 2).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

// A header click that sorts the rows without the table showing it, or a
// second click that does not turn the order round.
TEST(RowsGuiTest, PriceHeaderClicksSortUpThenDown) {
  GuiHarness h;
  AddRows(h, {{"1000000001", "$20.00"},
              {"1000000002", "$5.00"},
              {"1000000003", "$1,250.00"},
              {"1000000004", "$75.50"}});
  QHeaderView* header = h.Table().horizontalHeader();
  const QPoint price(
      header->sectionViewportPosition(3) + header->sectionSize(3) / 2,
      header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, price);
  EXPECT_EQ(ShownItems(h),
            (std::vector<std::string>{"1000000002", "1000000001", "1000000004",
                                      "1000000003"}));
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, price);
  EXPECT_EQ(ShownItems(h),
            (std::vector<std::string>{"1000000003", "1000000004", "1000000001",
                                      "1000000002"}));
  EXPECT_EQ(Cell(h, 0, 3).data().toString(), QStringLiteral("$1,250.00"));
}

// A double click that opens another row's page, the wrong address, or
// anything at all below the last row.
TEST(RowsGuiTest, DoubleClickOpensTheItemPage) {
  GuiHarness h;
  AddRows(h, {{"1000000001", "$20.00"}, {"1000000002", "$5.00"}});
  QWidget* viewport = h.Table().viewport();
  const QPoint second = h.Table().visualRect(Cell(h, 1, 1)).center();
  QCursor::setPos(viewport->mapToGlobal(second));
  QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, second);
  EXPECT_EQ(h.shell.opened,
            std::vector<std::string>{std::string(kItemPage) + "1000000002"});

  const QPoint below(second.x(), viewport->height() - 3);
  QCursor::setPos(viewport->mapToGlobal(below));
  QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, below);
  EXPECT_EQ(h.shell.opened.size(), 1u);
  EXPECT_TRUE(h.message_box.shown.empty());
}

}  // namespace
}  // namespace tolvane::gui::testing
