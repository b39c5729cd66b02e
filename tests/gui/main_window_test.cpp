#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "gui/pictures.h"
#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

struct Placement {
  const char* name;
  QRect geometry;  // in the parent's coordinates
};

struct InitialText {
  const char* name;
  const char* text;
};

// A wrong starting text: the filter defaults are also the filter's bounds.
TEST(MainWindowTest, StartsWithTheLaidOutTextsAndCaption) {
  GuiHarness h;
  const InitialText kEdits[] = {{"EdtQuery", "Search Expression"},
                                {"EdtHiFilter", "999,999.99"},
                                {"EdtLowFilter", "0.00"}};
  for (const InitialText& t : kEdits) {
    EXPECT_EQ(h.Find<QLineEdit>(t.name)->text(), QString::fromLatin1(t.text))
        << t.name;
  }
  EXPECT_EQ(h.Find<QLabel>("Label1")->text(), QStringLiteral("Filters:  Hi"));
  EXPECT_EQ(h.Find<QLabel>("Label2")->text(), QStringLiteral("Low"));
  EXPECT_EQ(h.Main().windowTitle(), QStringLiteral("Tolvane 1.6 A"));
  EXPECT_TRUE(h.Find<QPlainTextEdit>("MResultsLeft")->toPlainText().isEmpty());
  EXPECT_FALSE(h.Button("SpdBtnGetNextData")->isEnabled());
  EXPECT_TRUE(h.Button("SpdBtnSearch")->isEnabled());
}

// A window that can be resized or maximised, or whose client area is not
// the laid-out one.
TEST(MainWindowTest, KeepsItsSize) {
  GuiHarness h;
  MainWindow& w = h.Main();
  EXPECT_EQ(w.centralWidget()->size(), QSize(795, 530));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  w.resize(1000, 700);
  EXPECT_EQ(w.size(), w.minimumSize());
  w.showMaximized();
  QTest::qWait(20);
  EXPECT_EQ(w.size(), w.minimumSize());
}

// The menu bar as the user sees it: "[...]" holds a menu's items, "-" is a
// separator.
QString MenuText(const QList<QAction*>& actions) {
  QStringList items;
  for (QAction* action : actions) {
    QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
    if (action->menu() != nullptr) {
      item += "[" + MenuText(action->menu()->actions()) + "]";
    }
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
            "&File[&Print|&Save Results|Import && Export[Export CSV File From "
            "Grid|Import CSV File to Grid|Merge CSV File With Current Grid "
            "Results]|E&xit]|&View[&Browser|Options|&Market View]|&Data[&Get "
            "|Get &5|&New "
            "Search|&Delete Zero Bid Auctions|Delete &Selected|Delete "
            "&Unchecked|&Check All|Get &Hourly and Weekday Stats]|&Help[Online "
            "&Help|&Ebay's Search Tips|-|Tech &Support|-|&About]");
}

struct ButtonPlace {
  const char* name;
  const char* hint;
  QRect geometry;
};

// A button at the wrong place, with the wrong hint, or without a picture on
// a machine without an icon theme.
TEST(MainWindowTest, ToolAndSideButtonsHaveTheirPlacesHintsAndPictures) {
  GuiHarness h;
  const ButtonPlace kButtons[] = {
      {"SpdBtnSearch", "Get data", {0, 1, 40, 32}},
      {"SpdBtnGet5", "Get data", {40, 1, 40, 32}},
      {"SpdBtnGetNextData", "Get next page", {80, 1, 40, 32}},
      {"SpeedButton9", "New Search", {120, 1, 40, 32}},
      {"SpeedButton2", "Save summary to disk", {160, 1, 40, 32}},
      {"SpdBttnGetDateStats",
       "Day of the week and hourly analysis",
       {200, 1, 40, 32}},
      {"SpeedButton1", "Print", {240, 1, 40, 32}},
      {"SpeedButton7", "Ebay's Search Tips", {280, 1, 40, 32}},
      {"SpdExit", "Exit", {320, 1, 40, 32}},
      {"SpeedButton6", "Online help", {360, 1, 40, 32}},
      {"SpdBtnCSVOut", "Save Grid Contents to CSV File", {400, 1, 40, 32}},
      {"SpdBtnCSVIn", "Import CSV File to grid", {440, 1, 40, 32}},
      {"SpeedButton3", "Merge CSV File With Current Results", {480, 1, 40, 32}},
      {"SpeedButton4", "Delete zero bid auctions", {0, 0, 45, 32}},
      {"SpdDeleteUnchecked", "Delete unchecked", {0, 32, 45, 32}},
      {"SpdDeleteSelected", "Delete selected auctions", {0, 64, 45, 32}},
      {"SpeedButton5", "Check All", {0, 96, 45, 32}},
      {"SpdBtnResume",
       "Click if the data gathering process hass stalled or did not move "
       "data to grid.",
       {0, 288, 45, 32}},
  };
  for (const ButtonPlace& b : kButtons) {
    QToolButton* button = h.Button(b.name);
    ASSERT_NE(button, nullptr) << b.name;
    EXPECT_EQ(button->toolTip(), QString::fromLatin1(b.hint)) << b.name;
    EXPECT_EQ(button->geometry(), b.geometry) << b.name;
    EXPECT_TRUE(button->autoRaise()) << b.name;
    if (std::string_view(b.name) == "SpeedButton6") {
      EXPECT_EQ(button->text(), QStringLiteral("?"));
      EXPECT_GE(button->font().weight(), QFont::Bold);
    } else {
      EXPECT_FALSE(button->icon().isNull()) << b.name;
      EXPECT_FALSE(DrawnButtonPicture(QString::fromLatin1(b.name)).isNull())
          << b.name;
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
  const QStringList captions = {"Item", "Description", "Bids", "Price",
                                "Ended"};
  ASSERT_EQ(table.model()->columnCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(table.model()->headerData(i, Qt::Horizontal).toString(),
              captions[i]);
  }
  EXPECT_EQ(header->sectionSize(0), 115);
  EXPECT_EQ(header->sectionSize(1), 390);
  EXPECT_EQ(header->sectionSize(2), 50);
  EXPECT_EQ(header->sectionSize(3), 60);
  EXPECT_TRUE(header->stretchLastSection());
  EXPECT_FALSE(table.verticalHeader()->isVisible());
  EXPECT_TRUE(table.showGrid());
  EXPECT_FALSE(table.isSortingEnabled());
  EXPECT_EQ(table.selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(table.selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(table.editTriggers(), QAbstractItemView::NoEditTriggers);
}

QWidget* NextTabStop(QWidget* from) {
  for (QWidget* w = from->nextInFocusChain(); w != from;
       w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible()) {
      return w;
    }
  }
  return nullptr;
}

// Tab leaving the search box for the high filter instead of the low one.
TEST(MainWindowTest, TabOrderRunsQueryLowHi) {
  GuiHarness h;
  EXPECT_EQ(NextTabStop(h.Find("EdtQuery")), h.Find("EdtLowFilter"));
  EXPECT_EQ(NextTabStop(h.Find("EdtLowFilter")), h.Find("EdtHiFilter"));
}

}  // namespace
}  // namespace tolvane::gui::testing
