#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/busy_box.h"
#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

struct Placement {
  const char* name;
  QRect geometry;
};

void ExpectPlacements(QWidget& window, std::initializer_list<Placement> list) {
  for (const Placement& p : list) {
    QWidget* widget = GuiHarness::FindIn(window, p.name);
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
  }
}

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

// The options dialog misplaced, mislabelled, or closed for good by its
// close box.
TEST(WindowsTest, OptionsDialogLayoutAndClosing) {
  GuiHarness h;
  OptionsWindow& options = h.windows.OptionsWidget();
  EXPECT_EQ(options.windowTitle(), QStringLiteral("Options"));
  EXPECT_EQ(options.pos(), QPoint(113, 199));
  ExpectPlacements(options, {{"GroupBox1", {24, 16, 249, 65}},
                             {"Edit1", {96, 24, 37, 21}},
                             {"BitBtnOK", {56, 96, 75, 25}},
                             {"BitBtnCancel", {144, 96, 75, 25}}});
  EXPECT_EQ(options.GroupBox1->title(), QStringLiteral(" Timeout "));
  EXPECT_EQ(options.Label1->text(), QStringLiteral("Proceed after"));
  EXPECT_EQ(options.Label1->pos(), QPoint(24, 24));
  EXPECT_EQ(options.Label2->text(), QStringLiteral("seconds."));
  EXPECT_EQ(options.Label2->pos(), QPoint(144, 24));
  EXPECT_EQ(options.BitBtnOK->text(), QStringLiteral("OK"));
  EXPECT_EQ(options.BitBtnCancel->text(), QStringLiteral("Cancel"));
  EXPECT_FALSE(options.BitBtnOK->icon().isNull());
  EXPECT_FALSE(options.BitBtnCancel->icon().isNull());
  // The stored timeout is loaded at start-up.
  EXPECT_EQ(options.Edit1->text(), QStringLiteral("90"));

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

// OK of the options dialog not reaching its handler (which stores the
// timeout).
TEST(WindowsTest, OptionsOkStoresTheTimeout) {
  GuiHarness h;
  OptionsWindow& options = h.windows.OptionsWidget();
  h.Choose("Options1");
  GuiHarness::Type(options.Edit1, QStringLiteral("30"));
  options.BitBtnOK->click();
  EXPECT_FALSE(options.isVisible());
  const auto stored = h.preferences.ReadInteger(kPrefsKey, kTimeoutValue);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(*stored, 30);
}

// The analysis window laid out wrongly, wrapping the report's columns, in a
// proportional font, or showing its hidden buttons.
TEST(WindowsTest, AnalysisWindowLayout) {
  GuiHarness h;
  AnaWindow& ana = h.windows.AnaWidget();
  EXPECT_TRUE(ana.windowTitle().isEmpty());
  EXPECT_EQ(ana.size(), QSize(551, 439));
  ExpectPlacements(ana, {{"Bevel1", {8, 8, 536, 385}},
                         {"Memo1", {16, 16, 521, 369}},
                         {"OKBtn", {236, 406, 75, 25}}});
  EXPECT_EQ(ana.Memo1->toPlainText(), QStringLiteral("Memo1"));
  EXPECT_EQ(ana.Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_TRUE(QFontInfo(ana.Memo1->font()).fixedPitch());
  EXPECT_EQ(ana.Memo1->font().pixelSize(), 13);
  EXPECT_EQ(ana.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(ana.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_FALSE(ana.CancelBtn->isVisibleTo(&ana));
  EXPECT_FALSE(ana.HelpBtn->isVisibleTo(&ana));
  EXPECT_EQ(ana.HelpBtn->text(), QStringLiteral("&Help"));
  EXPECT_EQ(h.windows.FrmAna().Memo1.Lines(),
            std::vector<std::string>{"Memo1"});
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

// The generic dialog shown at start-up, or laid out as something else.
TEST(WindowsTest, GenericDialogExistsButStaysClosed) {
  GuiHarness h;
  OKRightWindow& dialog = h.windows.OKRightWidget();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Dialog"));
  EXPECT_EQ(dialog.size(), QSize(384, 179));
  EXPECT_EQ(dialog.OKBtn->text(), QStringLiteral("OK"));
  EXPECT_EQ(dialog.CancelBtn->text(), QStringLiteral("Cancel"));
  EXPECT_NE(GuiHarness::FindIn(dialog, "Bevel1"), nullptr);
}

}  // namespace
}  // namespace tolvane::gui::testing
