#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

#include "gui/qt_controls.h"
#include "gui/qt_file_dialog.h"
#include "gui/qt_timer.h"
#include "gui/text_codec.h"

namespace tolvane::gui {
namespace {

struct Decoding {
  std::string bytes;
  QString shown;
};

// Page texts in the old code page shown as garbage, or valid UTF-8 taken
// for Windows-1252.
TEST(AdaptersTest, TextsShowAsUtf8WhenValidElseWindows1252) {
  const Decoding kCases[] = {
      {"plain", QStringLiteral("plain")},
      {"caf\xC3\xA9", QStringLiteral("caf\u00E9")},
      {"caf\xE9", QStringLiteral("caf\u00E9")},
      {"\x80 5", QStringLiteral("\u20AC 5")},
      {"\x93quoted\x94", QStringLiteral("\u201Cquoted\u201D")},
      {"\x81", QString(QChar(0x81))},
      // One invalid sequence makes the whole text the old code page.
      {"\xC3\xA9 and \xE9", QStringLiteral("\u00C3\u00A9 and \u00E9")},
      {std::string("a\0b", 3), QString::fromLatin1("a\0b", 3)},
      {"", QString()},
  };
  for (const Decoding& c : kCases) {
    EXPECT_EQ(DisplayText(c.bytes), c.shown) << c.bytes;
  }
  EXPECT_EQ(BytesOf(QStringLiteral("caf\u00E9")), "caf\xC3\xA9");
}

struct FilterCase {
  std::string filter;
  QStringList qt;
};

// File types that the dialog cannot parse, or a second entry lost.
TEST(AdaptersTest, FileTypeFiltersBecomeQtNameFilters) {
  const FilterCase kCases[] = {
      {"Text (*.txt)|*.TXT|Comma Separated Value (*.csv)|*.CSV",
       {"Text (*.txt)", "Comma Separated Value (*.csv)"}},
      {"Pages|*.htm;*.html", {"Pages (*.htm *.html)"}},
      {"All (*.*)|*.*|Text|*.txt", {"All (*.*)", "Text (*.txt)"}},
      {"", {}},
  };
  for (const FilterCase& c : kCases) {
    EXPECT_EQ(QtNameFilters(c.filter), c.qt) << c.filter;
  }
}

// A change handler that misses typed text or text set by code, or fires
// when nothing changed.
TEST(AdaptersTest, TextBoxReportsEveryChangeOnce) {
  QLineEdit edit;
  QtTextBox box(&edit);
  int changes = 0;
  box.SetOnChange([&] { ++changes; });
  box.SetText("lamp");
  EXPECT_EQ(changes, 1);
  box.SetText("lamp");
  EXPECT_EQ(changes, 1);
  QTest::keyClicks(&edit, "s");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(box.Text(), "lamps");
  box.SetText("caf\xE9");
  EXPECT_EQ(edit.text(), QStringLiteral("caf\u00E9"));
  EXPECT_EQ(changes, 3);
}

// The filter boxes not showing whether the filter is in force.
TEST(AdaptersTest, TextBoxColoursAreWindowAndMenu) {
  QLineEdit edit;
  QtTextBox box(&edit);
  const QPalette standard = QApplication::palette(&edit);
  box.SetColor(SystemColor::kMenu);
  EXPECT_EQ(box.Color(), SystemColor::kMenu);
  EXPECT_EQ(edit.palette().color(QPalette::Base),
            standard.color(QPalette::Window));
  box.SetColor(SystemColor::kWindow);
  EXPECT_EQ(edit.palette().color(QPalette::Base),
            standard.color(QPalette::Base));
}

// Lines lost, split wrongly, or the user's own typing ignored by the report.
TEST(AdaptersTest, MemoKeepsAddedLinesAndReadsTheUsersText) {
  QPlainTextEdit edit;
  QtMemo memo(&edit);
  memo.Add("\tTotal Items:\t\t3");
  memo.Add("a\r\nb");
  memo.Add("");
  EXPECT_EQ(memo.Lines(),
            (std::vector<std::string>{"\tTotal Items:\t\t3", "a", "b", ""}));
  memo.Flush();
  EXPECT_EQ(edit.toPlainText(), QStringLiteral("\tTotal Items:\t\t3\na\nb\n"));
  // Stored bytes in the old code page come back unchanged.
  memo.Clear();
  memo.Add("\x80 9");
  EXPECT_EQ(memo.Lines(), std::vector<std::string>{"\x80 9"});
  memo.Flush();
  EXPECT_EQ(edit.toPlainText(), QStringLiteral("\u20AC 9"));
  // What the user types is what the memo holds from then on.
  edit.setPlainText(QStringLiteral("my note\nsecond"));
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"my note", "second"}));
  memo.Add("added");
  EXPECT_EQ(memo.Lines(),
            (std::vector<std::string>{"my note", "second", "added"}));
  memo.Clear();
  EXPECT_TRUE(memo.Lines().empty());
}

// A summary rewritten after every added row costing widget work per row.
TEST(AdaptersTest, MemoRewritesReachTheWidgetAtScreenRate) {
  QPlainTextEdit edit;
  QtMemo memo(&edit);
  int widget_updates = 0;
  QObject::connect(&edit, &QPlainTextEdit::textChanged,
                   [&] { ++widget_updates; });
  for (int row = 0; row < 20000; ++row) {
    memo.Clear();
    for (int line = 0; line < 7; ++line) memo.Add(std::to_string(row));
  }
  EXPECT_EQ(widget_updates, 0);
  QTest::qWait(3 * kFrameMilliseconds);
  EXPECT_EQ(widget_updates, 1);
  EXPECT_TRUE(edit.toPlainText().startsWith(QStringLiteral("19999\n")));
}

// A chain of repaint requests that paints every time and so crawls.
TEST(AdaptersTest, WindowRepaintsAtMostOnceAFrame) {
  QWidget widget;
  widget.resize(200, 100);
  widget.show();
  QtWindow window(&widget);
  int flushes = 0;
  window.SetBeforePaint([&] { ++flushes; });
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 20000; ++i) window.Repaint();
  const qint64 frames = clock.elapsed() / kFrameMilliseconds + 1;
  EXPECT_GE(window.RealPaints(), 1);
  EXPECT_LE(window.RealPaints(), frames);
  EXPECT_EQ(flushes, window.RealPaints());
}

// Timer semantics that restart the count when nothing changed, keep it when
// the interval changed, or fire at interval 0.
TEST(AdaptersTest, TimerCountsAsTheDriverExpects) {
  QtTimer timer;
  int fired = 0;
  timer.SetOnTimer([&] { ++fired; });
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000);

  timer.SetInterval(60000);
  EXPECT_FALSE(timer.Counting());
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Counting());
  QTest::qWait(60);
  // The same interval, or enabling again, keeps the count going.
  timer.SetInterval(60000);
  timer.SetEnabled(true);
  EXPECT_LE(timer.RemainingMs(), 60000 - 40);
  // A new interval while enabled starts it again.
  timer.SetInterval(90000);
  EXPECT_GT(timer.RemainingMs(), 90000 - 40);
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Counting());

  timer.SetInterval(0);
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Counting());
  QTest::qWait(30);
  EXPECT_EQ(fired, 0);

  timer.SetInterval(5);
  EXPECT_TRUE(QTest::qWaitFor([&] { return fired >= 2; }, 2000));
  timer.SetEnabled(false);
  const int after = fired;
  QTest::qWait(30);
  EXPECT_EQ(fired, after);
}

}  // namespace
}  // namespace tolvane::gui
