#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "app/command_table.h"
#include "gui/pictures.h"
#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

struct Placement {
  const char* name;
  QRect geometry;  // in the parent's coordinates
};

// A control moved, resized or put into the wrong panel.
TEST(MainWindowTest, ControlsSitWhereTheLayoutPutsThem) {
  GuiHarness h;
  const Placement kPlacements[] = {
      {"CoolBar1", {0, 0, 795, 71}},       {"PnlCriteria", {9, 0, 778, 30}},
      {"EdtQuery", {6, 1, 299, 21}},       {"EdtHiFilter", {406, 6, 60, 21}},
      {"EdtLowFilter", {494, 6, 64, 21}},  {"CoolBar2", {9, 32, 778, 35}},
      {"PnlGrid", {56, 72, 736, 288}},     {"PnlResults", {384, 360, 410, 167}},
      {"PnlMnBrwsr", {56, 360, 327, 160}}, {"CoolBar3", {3, 74, 49, 456}},
  };
  for (const Placement& p : kPlacements) {
    QWidget* widget = h.Find(p.name);
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
  }
  EXPECT_EQ(h.Find<QLabel>("Label1")->pos(), QPoint(352, 8));
  EXPECT_EQ(h.Find<QLabel>("Label2")->pos(), QPoint(472, 8));
  // The table and the memo fill their panels.
  EXPECT_EQ(h.Find("ListView1")->parentWidget(), h.Find("PnlGrid"));
  EXPECT_EQ(h.Find("MResultsLeft")->parentWidget(), h.Find("PnlResults"));
  EXPECT_GE(h.Find("ListView1")->width(), 730);
}

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

// A menu item with a wrong caption or access key, in the wrong menu, or a
// separator that became an item.
TEST(MainWindowTest, MenusCarryTheCommandTable) {
  GuiHarness h;
  QStringList top;
  for (QAction* action : h.Main().menuBar()->actions()) {
    top.append(action->text());
  }
  EXPECT_EQ(top, QStringList({"&File", "&View", "&Data", "&Help"}));
  for (const MenuEntry& entry : MainMenuEntries()) {
    QAction* item = h.MenuItem(entry.name);
    ASSERT_NE(item, nullptr) << entry.name;
    if (std::string_view(entry.caption) == "-") {
      EXPECT_TRUE(item->isSeparator()) << entry.name;
    } else {
      EXPECT_EQ(item->text(), QString::fromLatin1(entry.caption)) << entry.name;
    }
    if (entry.parent != nullptr) {
      QAction* parent = h.MenuItem(entry.parent);
      ASSERT_NE(parent, nullptr);
      ASSERT_NE(parent->menu(), nullptr) << entry.parent;
      EXPECT_TRUE(parent->menu()->actions().contains(item)) << entry.name;
    }
  }
  // Qt, like the original, shows "&&" as one ampersand.
  EXPECT_EQ(h.MenuItem("ImportExport1")->text(),
            QStringLiteral("Import && Export"));
  EXPECT_EQ(h.MenuItem("Get1")->text(), QStringLiteral("&Get "));
  EXPECT_EQ(h.MenuItem("Get51")->text(), QStringLiteral("Get &5"));
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
