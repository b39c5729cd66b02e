#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

using F = TFrmPrice;
using Handler = void (TFrmPrice::*)(const Sender&);

// Everything a command can visibly change, to tell one command from another.
struct Trace {
  std::vector<std::string> navigations;
  std::vector<std::string> messages;
  std::vector<std::string> opened;
  std::size_t save_dialogs = 0;
  std::size_t open_dialogs = 0;
  int print_dialogs = 0;
  int print_jobs = 0;
  std::size_t sounds = 0;
  std::vector<std::string> rows;  // caption, check mark and selection
  bool main_visible = false;
  bool busy_visible = false;
  bool options_visible = false;
  bool ana_visible = false;
  int page_offset = 0;
  bool get5 = false;
  bool operator==(const Trace&) const = default;
};

Trace TraceOf(GuiHarness& h) {
  Trace t;
  t.navigations = h.browser.navigations;
  for (const auto& shown : h.message_box.shown) {
    t.messages.push_back(shown.caption + "|" + shown.text);
  }
  t.opened = h.shell.opened;
  t.save_dialogs = h.file_dialog.save_seen.size();
  t.open_dialogs = h.file_dialog.open_seen.size();
  t.print_dialogs = h.print_dialog.runs;
  t.print_jobs = h.printer.jobs;
  t.sounds = h.sound.played.size();
  for (const ResultRow& row : h.Grid().Rows()) {
    t.rows.push_back(row.item + (row.checked ? "+" : "-") +
                     (row.selected ? "*" : ""));
  }
  t.main_visible = h.Main().isVisible();
  t.busy_visible = h.windows.BusyWidget().isVisible();
  t.options_visible = h.windows.OptionsWidget().isVisible();
  t.ana_visible = h.windows.AnaWidget().isVisible();
  t.page_offset = h.FrmPrice().PageOffset();
  t.get5 = h.FrmPrice().Get5Running();
  return t;
}

// Rows on which every grid command does something different: one zero-bid
// row, one unchecked, one selected.
void Prepare(GuiHarness& h) {
  h.AppendRow({"1000000001", "Lamp", "-", "$10.00", "Nov-23 18:45"});
  h.AppendRow({"1000000002", "Vase", "3", "$20.00", "Nov-24 09:10"});
  h.AppendRow({"1000000003", "Clock", "5", "$30.00", "Nov-25 12:00"});
  h.Grid().SetChecked(1, false);
  h.Flush();
  h.Table().selectRow(2);
  h.FrmPrice().EdtQuery.SetText("brass lamp");
  // Nothing of the preparation counts as the command's doing.
  h.message_box.shown.clear();
}

struct Route {
  const char* control;
  Handler handler;  // what the control must run
  const char* sender;
};

// The side bar's "Delete selected auctions" deletes the selected rows, as
// its hint says; the Data menu's Get 5 runs Get with its own name, which
// Get takes for a Get 5.
const Route kRoutes[] = {
    {"Print1", &F::Print1Click, "Print1"},
    {"SaveResults1", &F::SaveResults1Click, "SaveResults1"},
    {"CreateCSVFileFromGrid1", &F::CreateCSVFileFromGrid1Click,
     "CreateCSVFileFromGrid1"},
    {"ImportCSVFileFromGrid1", &F::ImportCSVFileFromGrid1Click,
     "ImportCSVFileFromGrid1"},
    {"MergeCSVFileWithCurrentGridResults1",
     &F::MergeCSVFileWithCurrentGridResults1Click,
     "MergeCSVFileWithCurrentGridResults1"},
    {"Exit1", &F::Exit1Click, "Exit1"},
    {"Options1", &F::Options1Click, "Options1"},
    {"Get1", &F::Get1Click, "Get1"},
    {"Get51", &F::Get1Click, "Get51"},
    {"NewSearch1", &F::NewSearch1Click, "NewSearch1"},
    {"DeleteZeroBidAuctions1", &F::DeleteZeroBidAuctions1Click,
     "DeleteZeroBidAuctions1"},
    {"DeleteSelected1", &F::DeleteSelected1Click, "DeleteSelected1"},
    {"DeleteUnchecked1", &F::DeleteUnchecked1Click, "DeleteUnchecked1"},
    {"CheckAll1", &F::CheckAll1Click, "CheckAll1"},
    {"GetHourlyandWeekdayStats1", &F::GetHourlyandWeekdayStats1Click,
     "GetHourlyandWeekdayStats1"},
    {"OnlineHelp1", &F::OnlineHelp1Click, "OnlineHelp1"},
    {"EbaysSearchTips1", &F::EbaysSearchTips1Click, "EbaysSearchTips1"},
    {"Support1", &F::Support1Click, "Support1"},
    {"About1", &F::About1Click, "About1"},
    {"SpdBtnSearch", &F::Get1Click, "SpdBtnSearch"},
    {"SpdBtnGet5", &F::Get1Click, "SpdBtnGet5"},
    {"SpdBtnGetNextData", &F::Get1Click, "SpdBtnGetNextData"},
    {"SpeedButton9", &F::NewSearch1Click, "SpeedButton9"},
    {"SpeedButton2", &F::SaveResults1Click, "SpeedButton2"},
    {"SpdBttnGetDateStats", &F::GetHourlyandWeekdayStats1Click,
     "SpdBttnGetDateStats"},
    {"SpeedButton1", &F::Print1Click, "SpeedButton1"},
    {"SpeedButton7", &F::EbaysSearchTips1Click, "SpeedButton7"},
    {"SpdExit", &F::Exit1Click, "SpdExit"},
    {"SpeedButton6", &F::OnlineHelp1Click, "SpeedButton6"},
    {"SpdBtnCSVOut", &F::CreateCSVFileFromGrid1Click, "SpdBtnCSVOut"},
    {"SpdBtnCSVIn", &F::ImportCSVFileFromGrid1Click, "SpdBtnCSVIn"},
    {"SpeedButton3", &F::MergeCSVFileWithCurrentGridResults1Click,
     "SpeedButton3"},
    {"SpeedButton4", &F::DeleteZeroBidAuctions1Click, "SpeedButton4"},
    {"SpdDeleteUnchecked", &F::DeleteUnchecked1Click, "SpdDeleteUnchecked"},
    {"SpdDeleteSelected", &F::DeleteSelected1Click, "SpdDeleteSelected"},
    {"SpeedButton5", &F::CheckAll1Click, "SpeedButton5"},
    {"SpdBtnResume", &F::Get1Click, "SpdBtnResume"},
};

// A menu item or button wired to another handler than its own, or passing
// another sender (a Get 5 button starting a plain Get).
TEST(RoutingTest, EveryMenuItemAndButtonRunsItsOwnHandler) {
  for (const Route& route : kRoutes) {
    GuiHarness by_widget;
    Prepare(by_widget);
    if (QAction* item = by_widget.MenuItem(route.control)) {
      item->trigger();
    } else {
      QToolButton* button = by_widget.Button(route.control);
      ASSERT_NE(button, nullptr) << route.control;
      button->setEnabled(true);
      button->click();
    }
    GuiHarness by_call;
    Prepare(by_call);
    by_call.windows.App().Dispatch(
        [&] { (by_call.FrmPrice().*route.handler)(Sender{route.sender}); });
    EXPECT_TRUE(TraceOf(by_widget) == TraceOf(by_call)) << route.control;
  }
}

// A double click on the band bar that does not print, or a header click
// that does not reach the sort.
TEST(RoutingTest, BandBarDoubleClickPrintsAndHeaderClickSorts) {
  GuiHarness by_widget;
  Prepare(by_widget);
  QTest::mouseDClick(by_widget.Main().CoolBar1Widget(), Qt::LeftButton,
                     Qt::NoModifier, QPoint(3, 40));
  GuiHarness by_call;
  Prepare(by_call);
  by_call.windows.App().Dispatch(
      [&] { by_call.FrmPrice().Print1Click(Sender{"CoolBar1"}); });
  EXPECT_TRUE(TraceOf(by_widget) == TraceOf(by_call));
  // Blank parts of the bands are not the bar: they print nothing.
  QSignalSpy prints(by_widget.Main().CoolBar1Widget(), SIGNAL(DoubleClicked()));
  const std::pair<const char*, QPoint> kBlanks[] = {
      {"PnlCriteria", QPoint(320, 15)},
      {"CoolBar2", QPoint(700, 15)},
      {"Label1", QPoint(2, 2)}};
  for (const auto& [blank, at] : kBlanks) {
    QTest::mouseDClick(by_widget.Find(blank), Qt::LeftButton, Qt::NoModifier,
                       at);
  }
  EXPECT_EQ(prints.count(), 0);

  for (int column = 0; column < 5; ++column) {
    GuiHarness header;
    Prepare(header);
    QSignalSpy clicks(&header.Table(), &ResultsTable::ColumnClicked);
    QHeaderView* bar = header.Table().horizontalHeader();
    QTest::mouseClick(bar->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(bar->sectionViewportPosition(column) + 5, 5));
    ASSERT_EQ(clicks.count(), 1) << column;
    EXPECT_EQ(clicks[0][0].toInt(), column);
    GuiHarness direct;
    Prepare(direct);
    direct.windows.App().Dispatch([&] {
      direct.FrmPrice().ListView1ColumnClick(Sender{"ListView1"}, column);
    });
    EXPECT_TRUE(TraceOf(header) == TraceOf(direct)) << column;
  }
}

}  // namespace
}  // namespace tolvane::gui::testing
