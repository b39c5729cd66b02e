#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/busy_box.h"
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
  EXPECT_EQ(busy.Label1->text(), QString::fromLatin1(kBusyText));
  EXPECT_TRUE(busy.Label1->wordWrap());
  EXPECT_EQ(busy.SpdBtnResume->size(), QSize(62, 53));
  EXPECT_EQ(busy.SpdBtnResume->toolTip(), QString::fromLatin1(kResumeHint));
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

// Resume that does not run Get with the busy window as sender.
TEST(WindowsTest, ResumeRunsAPlainGet) {
  GuiHarness by_button;
  by_button.windows.BusyBox().Form.Show();
  by_button.windows.BusyWidget().SpdBtnResume->click();
  GuiHarness by_call;
  by_call.windows.BusyBox().Form.Show();
  by_call.FrmPrice().Get1Click(Sender{"BusyBox"});
  EXPECT_EQ(by_button.browser.navigations, by_call.browser.navigations);
  EXPECT_EQ(by_button.FrmPrice().AwaitingPage(),
            by_call.FrmPrice().AwaitingPage());
  EXPECT_FALSE(by_button.FrmPrice().Get5Running());
}

// The options dialog closed for good by its close box, Cancel or Escape:
// it must only hide, keeping the timeout in force.
TEST(WindowsTest, OptionsDialogOnlyHides) {
  GuiHarness h;
  OptionsWindow& options = h.windows.OptionsWidget();
  for (int way = 0; way < 3; ++way) {
    h.Choose("Options1");
    ASSERT_TRUE(options.isVisible());
    if (way == 0) options.close();
    if (way == 1) options.BitBtnCancel->click();
    if (way == 2) QTest::keyClick(&options, Qt::Key_Escape);
    EXPECT_FALSE(options.isVisible()) << way;
  }
  // Hidden, never gone: its edit box still holds the timeout in force.
  EXPECT_EQ(h.FrmPrice().app_.FrmOptions->Edit1.Text(), "90");
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

}  // namespace
}  // namespace tolvane::gui::testing
