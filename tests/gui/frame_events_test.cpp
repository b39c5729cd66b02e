#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTimer>

#include "app/frm_options.h"
#include "gui/page_viewer.h"
#include "gui/qt_services.h"
#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

int GetsStarted(GuiHarness& h) {
  return static_cast<int>(h.browser.navigations.size());
}

struct EnterCase {
  const char* what;
  Qt::KeyboardModifiers modifiers;
  int gets;
};

// Ctrl+Enter (or Shift/Alt) starting a Get, or plain Enter not starting one.
TEST(FrameEventsTest, EnterInTheSearchBoxStartsAPlainGetOnlyWithoutModifiers) {
  const EnterCase kCases[] = {{"Enter", Qt::NoModifier, 1},
                              {"Ctrl+Enter", Qt::ControlModifier, 0},
                              {"Shift+Enter", Qt::ShiftModifier, 0},
                              {"Alt+Enter", Qt::AltModifier, 0}};
  for (const EnterCase& c : kCases) {
    GuiHarness h;
    QTest::keyClick(h.Find("EdtQuery"), Qt::Key_Return, c.modifiers);
    EXPECT_EQ(GetsStarted(h), c.gets) << c.what;
    EXPECT_EQ(h.windows.BusyWidget().isVisible(), c.gets > 0) << c.what;
    EXPECT_FALSE(h.FrmPrice().Get5Running()) << c.what;
  }
}

// Reads the message box that a modal call opens, then closes it.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

void CloseNextMessageBox(SeenBox& seen) {
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return CloseNextMessageBox(seen);
    seen = {box->windowTitle(), box->text(), box->icon(),
            box->standardButtons()};
    box->button(box->standardButtons() & QMessageBox::No ? QMessageBox::No
                                                         : QMessageBox::Ok)
        ->click();
  });
}

// An escaped error shown without the stop icon, the program's title or the
// closing period, or shown as markup.
TEST(FrameEventsTest, AnEscapedErrorIsReportedWithStopIconTitleAndPeriod) {
  struct Case {
    const char* error;
    const char* shown;
  };
  const Case kCases[] = {
      {"'abc' is not a valid integer value",
       "'abc' is not a valid integer value."},
      {"Cannot open file <x>.csv.", "Cannot open file <x>.csv."},
  };
  for (const Case& c : kCases) {
    QtMessageBox real_box;
    Application app(real_box);
    SeenBox seen;
    CloseNextMessageBox(seen);
    app.Dispatch([&] { throw Error(c.error); });
    EXPECT_EQ(seen.title, QStringLiteral("Tolvane 1.6"));
    EXPECT_EQ(seen.text, QString::fromLatin1(c.shown));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
  }
}

// The Yes/No note answered wrongly, or a caption lost.
TEST(FrameEventsTest, MessageBoxAnswersAndShowsPlainText) {
  QtMessageBox box;
  SeenBox seen;
  CloseNextMessageBox(seen);
  EXPECT_EQ(box.Show("Click \"NO\" if you do not want to see this message "
                     "again.",
                     "Program Note", MbButtons::kYesNo, MbIcon::kNone),
            MbResult::kNo);
  EXPECT_EQ(seen.title, QStringLiteral("Program Note"));
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
}

// Options opened modally (blocking the main window) or not at all.
TEST(FrameEventsTest, OptionsOpenModeless) {
  GuiHarness h;
  h.Choose("Options1");
  OptionsWindow& options = h.windows.OptionsWidget();
  EXPECT_TRUE(options.isVisible());
  EXPECT_FALSE(options.isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(h.Main().isEnabled());
  options.close();
  EXPECT_FALSE(options.isVisible());
}

// Exit leaving the main window open.
TEST(FrameEventsTest, ExitClosesTheMainWindow) {
  GuiHarness h;
  ASSERT_TRUE(h.Main().isVisible());
  h.Click("SpdExit");
  EXPECT_FALSE(h.Main().isVisible());
}

struct FocusCase {
  const char* what;
  Qt::FocusReason reason;
  int exits;
};

// The filter running when the user only switched windows or opened a menu,
// or not running when the focus really left the box.
TEST(FrameEventsTest, LeavingAFilterBoxIsAnExitOnlyWithinTheWindow) {
  const FocusCase kCases[] = {{"tab", Qt::TabFocusReason, 1},
                              {"mouse", Qt::MouseFocusReason, 1},
                              {"other window", Qt::ActiveWindowFocusReason, 0},
                              {"menu", Qt::PopupFocusReason, 0},
                              {"menu by Alt", Qt::MenuBarFocusReason, 0}};
  for (const char* box : {"EdtHiFilter", "EdtLowFilter"}) {
    for (const FocusCase& c : kCases) {
      GuiHarness h;
      QSignalSpy exits(&h.Main(), &MainWindow::FilterExit);
      QFocusEvent out(QEvent::FocusOut, c.reason);
      QApplication::sendEvent(h.Find(box), &out);
      ASSERT_EQ(exits.count(), c.exits) << box << " " << c.what;
      if (c.exits > 0) {
        EXPECT_EQ(exits[0][0].toString(), QLatin1String(box));
      }
    }
  }
}

}  // namespace
}  // namespace tolvane::gui::testing
