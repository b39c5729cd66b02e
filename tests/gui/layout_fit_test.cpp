#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>

#include "gui/qt_browser.h"
#include "gui_harness.h"
#include "sample_pages.h"

namespace tolvane::gui::testing {
namespace {

// The width a line edit draws its text in, as its paint does.
int TextWidthOf(const QLineEdit& edit) {
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth =
      edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
  const QRect contents =
      edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
  return contents.width() - 4;
}

// Catches texts cut off or run into their neighbours at the fonts the
// package installs: a label over the box beside it, a box that cannot show
// its amount, a ten-digit item number cut in its column.
TEST(LayoutFitTest, EveryTextShowsWholeInItsPlace) {
  GuiHarness h;
  h.AppendRow({"1234567890", "Brass lamp", "12", "$45.00", "Nov-23 18:45"});
  h.Flush();
  for (QWidget* window : {static_cast<QWidget*>(&h.Main()),
                          static_cast<QWidget*>(&h.windows.OptionsWidget()),
                          static_cast<QWidget*>(&h.windows.BusyWidget())}) {
    for (const QLabel* label : window->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      const QString name = label->objectName();
      if (label->wordWrap()) {
        EXPECT_LE(label->heightForWidth(label->width()), label->height())
            << name.toStdString();
        continue;
      }
      const QRect text(
          label->pos(),
          QSize(label->fontMetrics().horizontalAdvance(label->text()),
                label->height()));
      EXPECT_LE(text.width(), label->contentsRect().width())
          << name.toStdString();
      for (const QWidget* other : label->parentWidget()->findChildren<QWidget*>(
               Qt::FindDirectChildrenOnly)) {
        if (other == label || !other->isVisibleTo(window)) continue;
        EXPECT_FALSE(other->geometry().intersects(text))
            << name.toStdString() << " runs into "
            << other->objectName().toStdString();
      }
    }
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>()) {
      EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()),
                TextWidthOf(*edit))
          << edit->objectName().toStdString();
    }
  }
  const QAbstractItemView& table = h.Table();
  EXPECT_LE(table.sizeHintForColumn(0), h.Table().columnWidth(0));
}

// Catches a result page squeezed into the small browser panel, which breaks
// the words of its table headings letter by letter.
TEST(LayoutFitTest, TheBrowserPanelBreaksNoWord) {
  GuiHarness h;
  QtBrowser browser(nullptr);
  auto* view = qobject_cast<QTextBrowser*>(browser.View());
  ASSERT_NE(view, nullptr);
  h.Main().SetBrowserView(view);
  view->setHtml(QString::fromStdString(
      sample::ResultPage("brass lamp", 0, sample::PageOptions{})));
  QApplication::processEvents();
  for (QTextBlock block = view->document()->begin(); block.isValid();
       block = block.next()) {
    const QString text = block.text().trimmed();
    if (text.isEmpty() || text.contains(QLatin1Char(' '))) continue;
    EXPECT_EQ(block.layout()->lineCount(), 1) << text.toStdString();
  }
  h.Main().ReleaseBrowserView();
}

}  // namespace
}  // namespace tolvane::gui::testing
