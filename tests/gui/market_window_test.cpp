#include "gui/market_window.h"

#include <gtest/gtest.h>

#include <QChartView>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

QString Figure(MarketWindow& w, const QString& label) {
  auto* table = w.findChild<QTableWidget*>(QStringLiteral("TblFigures"));
  for (int i = 0; i < table->rowCount(); ++i) {
    if (table->item(i, 0)->text() == label) return table->item(i, 1)->text();
  }
  return QStringLiteral("(no such figure)");
}

// The window over a known grid: the figures of the checked rows, a click on
// a point selecting its row, the grid followed after a change of marks, one
// window however often it is opened, and both chart formats written.
TEST(MarketWindowTest, ShowsFollowsAndSelects) {
  GuiHarness h;
  const char* prices[] = {"$12.00", "$10.00",    "$11.00",
                          "$13.00", "$1,000.00", "$99.00"};
  for (int i = 0; i < 6; ++i) {
    h.AppendRow(
        {std::to_string(1000 + i), "Lamp", "3", prices[i],
         "Nov-2" + std::to_string(i) + " 1" + std::to_string(i) + ":30"});
  }
  h.Grid().SetChecked(5, false);
  h.FrmPrice().ComputeSummary();
  h.Flush();
  h.Choose("MarketView1");
  MarketWindow* w = h.windows.MarketWidget();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isModal());
  EXPECT_EQ(Figure(*w, "Count"), "5");
  EXPECT_EQ(Figure(*w, "Median"), "$12.00");
  EXPECT_EQ(Figure(*w, "90th percentile"), "$605.20");
  EXPECT_EQ(Figure(*w, "Outside the fences"), "1");
  EXPECT_EQ(Figure(*w, "Typical price"), "$11.50");
  EXPECT_TRUE(w->Histogram()->chart()->title().contains("logarithmic"));

  QApplication::processEvents();
  const std::optional<QPoint> at = w->PointOfRow(3);
  ASSERT_TRUE(at.has_value());
  QTest::mouseClick(w->Scatter()->viewport(), Qt::LeftButton, {}, *at);
  EXPECT_TRUE(h.Table().selectionModel()->isRowSelected(3, {}));
  EXPECT_TRUE(h.Grid().Row(3).selected);
  EXPECT_FALSE(h.Grid().Row(2).selected);

  h.Grid().SetChecked(4, false);
  h.Flush();
  QTest::qWait(100);
  EXPECT_EQ(Figure(*w, "Count"), "4");
  EXPECT_EQ(Figure(*w, "High"), "$13.00");

  h.Grid().SetChecked(0, false);
  h.Grid().SetChecked(1, false);
  h.Grid().SetChecked(2, false);
  h.Grid().SetChecked(3, false);
  h.Flush();
  QTest::qWait(100);
  EXPECT_EQ(Figure(*w, "Median"), "-");

  h.Choose("MarketView1");
  EXPECT_EQ(h.windows.MarketWidget(), w);

  QTemporaryDir dir;
  for (const char* name : {"chart.svg", "chart.png"}) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    h.file_dialog.answers.push_back(path.toStdString());
    w->findChild<QPushButton*>(QStringLiteral("BtnSaveChart"))->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const QByteArray head = file.read(200);
    EXPECT_TRUE(head.contains(name[6] == 's' ? "<svg" : "PNG")) << name;
  }
}

}  // namespace
}  // namespace tolvane::gui::testing
