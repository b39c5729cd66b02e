#include <gtest/gtest.h>

#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <tuple>

#include "app/frm_options.h"
#include "gui/market_window.h"
#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

// A busy window that blocks the main window, carries a caption, or lacks
// the note or the Resume button.
TEST(WindowsTest, BusyWindowIsAModelessToolWindowWithNoteAndResume) {
  GuiHarness h;
  BusyWindow& busy = h.windows.BusyWidget();
  EXPECT_FALSE(busy.isVisible());
  EXPECT_TRUE(busy.windowTitle().isEmpty());
  EXPECT_EQ(busy.size(), QSize(592, 62));
  EXPECT_EQ(busy.windowType(), Qt::Tool);
  EXPECT_TRUE(busy.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(busy.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(busy.Label1->text().startsWith("Tolvane is now gathering"));
  EXPECT_TRUE(busy.Label1->wordWrap());
  EXPECT_EQ(busy.SpdBtnResume->size(), QSize(62, 53));
  EXPECT_TRUE(busy.SpdBtnResume->toolTip().startsWith("Click if the data"));
  EXPECT_FALSE(busy.SpdBtnResume->icon().isNull());
  EXPECT_LT(busy.Picture->x() + busy.Picture->width(), busy.Label1->x());

  h.windows.BusyBox().Form.Show();
  EXPECT_TRUE(busy.isVisible());
  EXPECT_FALSE(busy.isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // The picture turns while the window shows.
  const int frame = busy.Frame();
  EXPECT_TRUE(QTest::qWaitFor([&] { return busy.Frame() != frame; }, 2000));
  busy.close();
  EXPECT_FALSE(busy.isVisible());
}

// The analysis report not reaching the screen, OK not hiding the window,
// or the window placed over the main window instead of the screen's middle.
TEST(WindowsTest, AnalysisWindowShowsItsMemoAndOkHidesIt) {
  GuiHarness h;
  h.Main().move(300, 200);
  AnaWindow& ana = h.windows.AnaWidget();
  TFrmAna& frm_ana = h.windows.FrmAna();
  frm_ana.Memo1.Clear();
  frm_ana.Memo1.Add("--------- Hourly Analysys ---------");
  frm_ana.Memo1.Add(" ");
  frm_ana.Form.Show();
  EXPECT_TRUE(ana.isVisible());
  EXPECT_FALSE(ana.isModal());
  EXPECT_EQ(ana.Memo1->toPlainText(),
            QStringLiteral("--------- Hourly Analysys ---------\n "));
  const QPoint middle = ana.screen()->availableGeometry().center();
  EXPECT_LE((ana.frameGeometry().center() - middle).manhattanLength(), 2);
  ana.OKBtn->click();
  EXPECT_FALSE(ana.isVisible());
}

// Ctrl+Enter (or Shift/Alt) starting a Get, or plain Enter not starting one.
TEST(WindowsTest, EnterInTheSearchBoxStartsAPlainGetOnlyWithoutModifiers) {
  const std::tuple<const char*, Qt::KeyboardModifier, std::size_t> kCases[] = {
      {"Enter", Qt::NoModifier, 1},
      {"Ctrl+Enter", Qt::ControlModifier, 0},
      {"Shift+Enter", Qt::ShiftModifier, 0},
      {"Alt+Enter", Qt::AltModifier, 0}};
  for (const auto& [what, modifier, gets] : kCases) {
    GuiHarness h;
    QTest::keyClick(h.Find("EdtQuery"), Qt::Key_Return, modifier);
    EXPECT_EQ(h.browser.navigations.size(), gets) << what;
  }
}

// Exit leaving the main window open.
TEST(WindowsTest, ExitClosesTheMainWindow) {
  GuiHarness h;
  ASSERT_TRUE(h.Main().isVisible());
  h.Click("SpdExit");
  EXPECT_FALSE(h.Main().isVisible());
}

// The filter running when the user only switched windows or opened a menu,
// or not running when the focus really left the box.
TEST(WindowsTest, LeavingAFilterBoxIsAnExitOnlyWithinTheWindow) {
  const std::tuple<const char*, Qt::FocusReason, int> kCases[] = {
      {"tab", Qt::TabFocusReason, 1},
      {"mouse", Qt::MouseFocusReason, 1},
      {"other window", Qt::ActiveWindowFocusReason, 0},
      {"menu", Qt::PopupFocusReason, 0},
      {"menu by Alt", Qt::MenuBarFocusReason, 0}};
  for (const char* box : {"EdtHiFilter", "EdtLowFilter"}) {
    for (const auto& [what, reason, count] : kCases) {
      GuiHarness h;
      QSignalSpy exits(&h.Main(), &MainWindow::FilterExit);
      QFocusEvent out(QEvent::FocusOut, reason);
      QApplication::sendEvent(h.Find(box), &out);
      ASSERT_EQ(exits.count(), count) << box << " " << what;
      if (count > 0) {
        EXPECT_EQ(exits[0][0].toString(), QLatin1String(box));
      }
    }
  }
}

// Catches a start-up that leaves the dialog at 90 instead of the stored
// timeout, and widgets wired to the wrong handler or not at all: OK that
// does not store or does not close, Cancel that stores or throws the typed text
// away, a reopened dialog that does not show the stored value, a dialog
// that blocks the main window, and one that the close box or Escape closes
// for good instead of only hiding it.
TEST(WindowsTest, OkStoresCancelKeepsTheTypedTimeoutAndClosingOnlyHides) {
  GuiHarness h(false);
  h.preferences.WriteInteger(kPrefsKey, kTimeoutValue, 45);
  h.windows.Start();
  OptionsWindow& options = h.windows.OptionsWidget();
  h.Choose("Options1");
  ASSERT_TRUE(options.isVisible());
  EXPECT_FALSE(options.isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(h.Main().isEnabled());
  EXPECT_EQ(options.Edit1->text(), "45");
  GuiHarness::Type(options.Edit1, "30");
  QTest::mouseClick(options.BitBtnOK, Qt::LeftButton);
  EXPECT_FALSE(options.isVisible());
  EXPECT_EQ(h.preferences.ReadInteger(kPrefsKey, kTimeoutValue), 30);

  h.Choose("Options1");
  EXPECT_EQ(options.Edit1->text(), "30");
  GuiHarness::Type(options.Edit1, "60");
  QTest::mouseClick(options.BitBtnCancel, Qt::LeftButton);
  EXPECT_FALSE(options.isVisible());
  EXPECT_EQ(h.preferences.ReadInteger(kPrefsKey, kTimeoutValue), 30);
  EXPECT_EQ(h.windows.FrmOptions().Edit1.Text(), "60");

  h.Choose("Options1");
  EXPECT_EQ(options.Edit1->text(), "30");
  options.close();
  EXPECT_FALSE(options.isVisible());
  h.Choose("Options1");
  QTest::keyClick(&options, Qt::Key_Escape);
  EXPECT_FALSE(options.isVisible());
  // Hidden, never gone: its edit box still holds the timeout in force.
  EXPECT_EQ(h.windows.FrmOptions().Edit1.Text(), "30");
  EXPECT_TRUE(h.message_box.shown.empty());
}

QString Figure(MarketWindow& w, const QString& label) {
  auto* table = w.findChild<QTableWidget*>(QStringLiteral("TblFigures"));
  for (int i = 0; i < table->rowCount(); ++i)
    if (table->item(i, 0)->text() == label) return table->item(i, 1)->text();
  return QStringLiteral("(no such figure)");
}

// The window over a known grid: the figures of the checked rows, a click on
// a point selecting its row, the grid followed after a change of marks, one
// window however often it is opened, both chart formats written, and a
// target that cannot be written reported.
TEST(WindowsTest, MarketViewShowsFollowsAndSelects) {
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
  EXPECT_EQ(Figure(*w, "Typical price"), "$11.50");
  EXPECT_TRUE(w->Histogram()->chart()->title().contains("logarithmic"));

  QApplication::processEvents();
  const std::optional<QPoint> at = w->PointOfRow(3);
  ASSERT_TRUE(at.has_value());
  QTest::mouseClick(w->Scatter()->viewport(), Qt::LeftButton, {}, *at);
  EXPECT_TRUE(h.Table().selectionModel()->isRowSelected(3, {}));
  EXPECT_TRUE(h.Grid().Row(3).selected);
  EXPECT_FALSE(h.Grid().Row(2).selected);

  // The window follows at screen rate: waited for, never a fixed time.
  h.Grid().SetChecked(4, false);
  h.Flush();
  EXPECT_TRUE(QTest::qWaitFor([&] { return Figure(*w, "Count") == "4"; }));
  EXPECT_EQ(Figure(*w, "High"), "$13.00");

  for (int i = 0; i < 4; ++i) h.Grid().SetChecked(i, false);
  h.Flush();
  EXPECT_TRUE(QTest::qWaitFor([&] { return Figure(*w, "Median") == "-"; }));

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
  // A target that cannot be written is reported, not taken for saved.
  const QString lost = dir.filePath(QStringLiteral("missing/chart.png"));
  h.file_dialog.answers.push_back(lost.toStdString());
  w->findChild<QPushButton*>(QStringLiteral("BtnSaveChart"))->click();
  ASSERT_FALSE(h.message_box.shown.empty());
  EXPECT_EQ(h.message_box.shown.back().text,
            "Cannot create file " + lost.toStdString() + ".");
}

}  // namespace
}  // namespace tolvane::gui::testing
