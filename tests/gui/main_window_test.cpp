#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>

#include "gui/pictures.h"
#include "gui/qt_browser.h"
#include "gui_harness.h"
#include "sample_pages.h"

namespace tolvane::gui::testing {
namespace {

QWidget* NextTabStop(QWidget* from) {
  for (QWidget* w = from->nextInFocusChain(); w != from;
       w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible())
      return w;
  }
  return nullptr;
}

// A wrong starting text (the filter defaults are also the filter's bounds),
// Tab leaving the search box for the high filter instead of the low one,
// or a window that can be resized or maximised, or whose client area is
// not the laid-out one.
TEST(MainWindowTest, StartsWithItsTextsTabOrderAndFixedSize) {
  GuiHarness h;
  const std::pair<const char*, const char*> kTexts[] = {
      {"EdtQuery", "Search Expression"},
      {"EdtHiFilter", "999,999.99"},
      {"EdtLowFilter", "0.00"},
      {"Label1", "Filters:  Hi"},
      {"Label2", "Low"},
      {"MResultsLeft", ""}};
  for (const auto& [name, text] : kTexts) {
    const QWidget* widget = h.Find(name);
    EXPECT_EQ(widget->property(widget->inherits("QPlainTextEdit") ? "plainText"
                                                                  : "text"),
              QString::fromLatin1(text))
        << name;
  }
  EXPECT_EQ(h.Main().windowTitle(), QStringLiteral("Tolvane 1.6 A"));
  EXPECT_FALSE(h.Button("SpdBtnGetNextData")->isEnabled());
  EXPECT_TRUE(h.Button("SpdBtnSearch")->isEnabled());
  EXPECT_EQ(NextTabStop(h.Find("EdtQuery")), h.Find("EdtLowFilter"));
  EXPECT_EQ(NextTabStop(h.Find("EdtLowFilter")), h.Find("EdtHiFilter"));

  MainWindow& w = h.Main();
  EXPECT_EQ(w.centralWidget()->size(), QSize(795, 530));
  EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  const QSize size = w.size();
  w.resize(1000, 700);
  EXPECT_EQ(w.size(), size);
  w.showMaximized();
  QTest::qWait(20);
  EXPECT_EQ(w.size(), size);
}

// The menu bar as the user sees it: "[...]" holds a menu's items, "-" is a
// separator.
QString MenuText(const QList<QAction*>& actions) {
  QStringList items;
  for (QAction* action : actions) {
    QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
    if (action->menu() != nullptr)
      item += "[" + MenuText(action->menu()->actions()) + "]";
    items.append(item);
  }
  return items.join("|");
}

// A menu item with a wrong caption or access key, in the wrong menu, or a
// separator that became an item; Qt, like the original, shows "&&" as one
// ampersand.
TEST(MainWindowTest, MenusShowTheirCaptionsInOrder) {
  GuiHarness h;
  EXPECT_EQ(MenuText(h.Main().menuBar()->actions()),
            "&File[&Open Saved Pages\u2026|&Print|&Save Results|Import && "
            "Export[Export CSV File From "
            "Grid|Import CSV File to Grid|Merge CSV File With Current Grid "
            "Results]|E&xit]|&View[&Browser|Options|&Market View]|&Data[&Get "
            "|Get &5|&New "
            "Search|&Delete Zero Bid Auctions|Delete &Selected|Delete "
            "&Unchecked|&Check All|Get &Hourly and Weekday Stats]|&Help[Online "
            "&Help|&Ebay's Search Tips|-|Tech &Support|-|&About]");
}

// A button at the wrong place, with the wrong hint, or without a picture on
// a machine without an icon theme. Tool bar buttons are 40 by 32, side bar
// buttons 45 by 32.
TEST(MainWindowTest, ToolAndSideButtonsHaveTheirPlacesHintsAndPictures) {
  GuiHarness h;
  const std::tuple<const char*, const char*, QPoint> kButtons[] = {
      {"SpdBtnSearch", "Get data", {0, 1}},
      {"SpdBtnGet5", "Get data", {40, 1}},
      {"SpdBtnGetNextData", "Get next page", {80, 1}},
      {"SpeedButton9", "New Search", {120, 1}},
      {"SpeedButton2", "Save summary to disk", {160, 1}},
      {"SpdBttnGetDateStats", "Day of the week and hourly analysis", {200, 1}},
      {"SpeedButton1", "Print", {240, 1}},
      {"SpeedButton7", "Ebay's Search Tips", {280, 1}},
      {"SpdExit", "Exit", {320, 1}},
      {"SpeedButton6", "Online help", {360, 1}},
      {"SpdBtnCSVOut", "Save Grid Contents to CSV File", {400, 1}},
      {"SpdBtnCSVIn", "Import CSV File to grid", {440, 1}},
      {"SpeedButton3", "Merge CSV File With Current Results", {480, 1}},
      {"SpeedButton4", "Delete zero bid auctions", {0, 0}},
      {"SpdDeleteUnchecked", "Delete unchecked", {0, 32}},
      {"SpdDeleteSelected", "Delete selected auctions", {0, 64}},
      {"SpeedButton5", "Check All", {0, 96}},
      {"SpdBtnResume",
       "Click if the data gathering process hass stalled or did not move "
       "data to grid.",
       {0, 288}},
  };
  for (const auto& [name, hint, at] : kButtons) {
    QToolButton* button = h.Button(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->toolTip(), QString::fromLatin1(hint)) << name;
    EXPECT_EQ(button->geometry(), QRect(at, QSize(at.y() == 1 ? 40 : 45, 32)))
        << name;
    EXPECT_TRUE(button->autoRaise()) << name;
    if (std::string_view(name) == "SpeedButton6") {
      EXPECT_EQ(button->text(), QStringLiteral("?"));
      EXPECT_GE(button->font().weight(), QFont::Bold);
    } else {
      EXPECT_FALSE(button->icon().isNull()) << name;
      EXPECT_FALSE(DrawnButtonPicture(QString::fromLatin1(name)).isNull())
          << name;
    }
  }
  EXPECT_EQ(h.Button("SpdBtnSearch")->parentWidget(), h.Find("CoolBar2"));
}

// Columns with the wrong captions or widths, a column that sorts by itself,
// or a grid that lets the user edit the texts.
TEST(MainWindowTest, GridShowsFiveColumnsWithTheirWidths) {
  GuiHarness h;
  ResultsTable& table = h.Table();
  QHeaderView* header = table.horizontalHeader();
  const std::pair<const char*, int> kColumns[] = {
      {"Item", 115}, {"Description", 390}, {"Bids", 50}, {"Price", 60}};
  ASSERT_EQ(table.model()->columnCount(), 5);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(table.model()->headerData(i, Qt::Horizontal), kColumns[i].first);
    EXPECT_EQ(header->sectionSize(i), kColumns[i].second);
  }
  EXPECT_EQ(table.model()->headerData(4, Qt::Horizontal), "Ended");
  EXPECT_TRUE(header->stretchLastSection());
  EXPECT_FALSE(table.verticalHeader()->isVisible());
  EXPECT_TRUE(table.showGrid());
  EXPECT_FALSE(table.isSortingEnabled());
  EXPECT_EQ(table.selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(table.selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(table.editTriggers(), QAbstractItemView::NoEditTriggers);
}

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
TEST(MainWindowTest, EveryTextShowsWholeInItsPlace) {
  GuiHarness h;
  h.AppendRow({"1234567890", "Brass lamp", "12", "$45.00", "Nov-23 18:45"});
  h.Flush();
  for (QWidget* window : std::initializer_list<QWidget*>{
           &h.Main(), &h.windows.OptionsWidget(), &h.windows.BusyWidget()}) {
    for (const QLabel* label : window->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      const std::string name = label->objectName().toStdString();
      if (label->wordWrap()) {
        EXPECT_LE(label->heightForWidth(label->width()), label->height())
            << name;
        continue;
      }
      const int width = label->fontMetrics().horizontalAdvance(label->text());
      const QRect text(label->pos(), QSize(width, label->height()));
      EXPECT_LE(width, label->contentsRect().width()) << name;
      for (const QWidget* other : label->parentWidget()->findChildren<QWidget*>(
               Qt::FindDirectChildrenOnly)) {
        if (other == label || !other->isVisibleTo(window)) continue;
        EXPECT_FALSE(other->geometry().intersects(text))
            << name << " runs into " << other->objectName().toStdString();
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
TEST(MainWindowTest, TheBrowserPanelBreaksNoWord) {
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
