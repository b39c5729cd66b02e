#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "gui/qt_controls.h"
#include "gui/qt_file_dialog.h"
#include "gui/qt_printer.h"
#include "gui/qt_timer.h"
#include "gui/text_codec.h"

namespace tolvane::gui {
namespace {

// Page texts in the old code page shown as garbage, or valid UTF-8 taken
// for Windows-1252; printed lines with tabs expanded to a fixed count of
// blanks instead of to the next stop, or with control characters kept.
TEST(AdaptersTest, TextsShowAsUtf8WhenValidElseWindows1252) {
  const std::pair<std::string, QString> kShown[] = {
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
  for (const auto& [bytes, shown] : kShown)
    EXPECT_EQ(DisplayText(bytes), shown) << bytes;
  EXPECT_EQ(BytesOf(QStringLiteral("caf\u00E9")), "caf\xC3\xA9");
  const std::pair<std::string, QString> kPrinted[] = {
      {"a\tb", QStringLiteral("a         b")},
      {"\tx", QStringLiteral("          x")},
      {"0123456789\tz", QStringLiteral("0123456789          z")},
      {"caf\xE9 \x80", QStringLiteral("caf\u00E9 \u20AC")},
      {std::string("a\0b", 3), QStringLiteral("a b")},
  };
  for (const auto& [bytes, printed] : kPrinted)
    EXPECT_EQ(PrintableLine(bytes), printed) << bytes;
  EXPECT_TRUE(QFontInfo(ReportFont()).fixedPitch());
  EXPECT_EQ(ReportFont().pointSizeF(), 8.0);
}

// File types that the dialog cannot parse, or a second entry lost.
TEST(AdaptersTest, FileTypeFiltersBecomeQtNameFilters) {
  const std::pair<std::string, QStringList> kCases[] = {
      {"Text (*.txt)|*.TXT|Comma Separated Value (*.csv)|*.CSV",
       {"Text (*.txt)", "Comma Separated Value (*.csv)"}},
      {"Pages|*.htm;*.html", {"Pages (*.htm *.html)"}},
      {"All (*.*)|*.*|Text|*.txt", {"All (*.*)", "Text (*.txt)"}},
      {"", {}},
  };
  for (const auto& [filter, qt] : kCases)
    EXPECT_EQ(QtNameFilters(filter), qt) << filter;
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
