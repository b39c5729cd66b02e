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
