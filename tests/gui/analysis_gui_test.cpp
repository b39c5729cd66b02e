#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

QStringList MemoLines(const AnaWindow& ana) {
  return ana.Memo1->toPlainText().split(QLatin1Char('\n'));
}

// A button wired to the wrong handler, a report that never reaches the
// real memo (or arrives without its tabs), a modal window, or an OK that
// does not hide it.
TEST(AnalysisGuiTest, ToolBarButtonShowsTheReportInTheMemo) {
  GuiHarness h;
  h.clock.today = {2026, 3, 10};
  h.AppendRow({"1234567890", "Brass lamp", "3", "$10.00", "Mar-02 09:15"});
  h.AppendRow({"1234567891", "Brass lamp", "9", "$30.50", "Mar-03 09:59"});
  h.AppendRow({"1234567892", "Brass lamp", "0", "$5.00", "Mar-04 09:00"});
  h.AppendRow({"1234567893", "Brass lamp", "-", "$1.00", "Mar-04 09:00"});
  h.Grid().SetChecked(1, false);
  h.Flush();
  AnaWindow& ana = h.windows.AnaWidget();
  ASSERT_FALSE(ana.isVisible());

  h.Click("SpdBttnGetDateStats");
  QTest::qWait(50);
  EXPECT_TRUE(ana.isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  const QStringList lines = MemoLines(ana);
  ASSERT_EQ(lines.size(), 42);
  EXPECT_EQ(lines[0], QStringLiteral("--------- Hourly Analysys ---------"));
  EXPECT_EQ(
      lines[13],
      QStringLiteral("    9    3       12         $45.50\t$15.17\t    4.00"));
  EXPECT_EQ(
      lines[36],
      QStringLiteral("  MON    1        3        $10.00\t$10.00\t    3.00"));
  EXPECT_EQ(lines[41], QStringLiteral("  SAT    0        0        $0.00"));

  QTest::mouseClick(ana.OKBtn, Qt::LeftButton);
  EXPECT_FALSE(ana.isVisible());
  // The menu item runs the same command and the memo is refilled, not
  // appended to.
  h.Choose("GetHourlyandWeekdayStats1");
  QTest::qWait(50);
  EXPECT_TRUE(ana.isVisible());
  EXPECT_EQ(MemoLines(ana), lines);
}

// A failing row that clears the memo or shows the window instead of
// reporting the error.
TEST(AnalysisGuiTest, AFailingRowLeavesTheWindowHidden) {
  GuiHarness h;
  h.AppendRow({"1234567890", "Brass lamp", "-", "$10.00", "notAvail"});
  h.Flush();
  AnaWindow& ana = h.windows.AnaWidget();
  h.Click("SpdBttnGetDateStats");
  QTest::qWait(50);
  EXPECT_FALSE(ana.isVisible());
  EXPECT_EQ(ana.Memo1->toPlainText(), QStringLiteral("Memo1"));
  ASSERT_EQ(h.message_box.shown.size(), 1u);
  EXPECT_EQ(h.message_box.shown[0].text, "'' is not a valid integer value.");
}

}  // namespace
}  // namespace tolvane::gui::testing
