#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "gui_harness.h"

namespace tolvane::gui::testing {
namespace {

using F = TFrmPrice;
using Handler = std::function<void(TFrmPrice&, const Sender&)>;

// Everything a command can visibly change, to tell one command from another.
std::string TraceOf(GuiHarness& h) {
  std::ostringstream t;
  for (const auto& n : h.browser.navigations) t << "nav " << n << "\n";
  for (const auto& m : h.message_box.shown)
    t << m.caption << "|" << m.text << "\n";
  for (const auto& o : h.shell.opened) t << "open " << o << "\n";
  for (const ResultRow& row : h.Grid().Rows())
    t << row.item << (row.checked ? "+" : "-") << (row.selected ? "*" : "");
  t << "\ndialogs " << h.file_dialog.save_seen.size()
    << h.file_dialog.open_seen.size() << h.print_dialog.runs << h.printer.jobs
    << " sounds " << h.sound.played.size() << " shown " << h.Main().isVisible()
    << h.windows.BusyWidget().isVisible()
    << h.windows.OptionsWidget().isVisible()
    << h.windows.AnaWidget().isVisible() << " offset "
    << h.FrmPrice().PageOffset() << h.FrmPrice().Get5Running();
  return t.str();
}

// Rows on which every grid command does something different: one zero-bid
// row, one unchecked, one selected; neither in the order of their bids nor
// of their prices, and those two orders differ, so each sort moves them.
void Prepare(GuiHarness& h) {
  h.AppendRow({"1000000001", "Lamp", "-", "$20.00", "Nov-23 18:45"});
  h.AppendRow({"1000000002", "Vase", "5", "$10.00", "Nov-24 09:10"});
  h.AppendRow({"1000000003", "Clock", "3", "$30.00", "Nov-25 12:00"});
  h.Grid().SetChecked(1, false);
  h.Flush();
  h.Table().selectRow(2);
  h.FrmPrice().EdtQuery.SetText("brass lamp");
  // Nothing of the preparation counts as the command's doing.
  h.message_box.shown.clear();
}

// What the handler run directly with `sender` leaves behind.
std::string TraceOfCall(Handler handler, const char* sender) {
  GuiHarness h;
  Prepare(h);
  h.windows.App().Dispatch([&] { handler(h.FrmPrice(), Sender{sender}); });
  return TraceOf(h);
}

// The handler each menu item and button runs, with its own name as sender.
// The side bar's "Delete selected auctions" deletes the selected rows, as
// its hint says; the Get 5 items run Get, which takes them for a Get 5;
// the busy window's Resume runs Get with the busy window as sender.
const std::pair<Handler, std::vector<const char*>> kRoutes[] = {
    {&F::Print1Click, {"Print1", "SpeedButton1"}},
    {&F::SaveResults1Click, {"SaveResults1", "SpeedButton2"}},
    {&F::CreateCSVFileFromGrid1Click,
     {"CreateCSVFileFromGrid1", "SpdBtnCSVOut"}},
    {&F::ImportCSVFileFromGrid1Click,
     {"ImportCSVFileFromGrid1", "SpdBtnCSVIn"}},
    {&F::MergeCSVFileWithCurrentGridResults1Click,
     {"MergeCSVFileWithCurrentGridResults1", "SpeedButton3"}},
    {&F::Exit1Click, {"Exit1", "SpdExit"}},
    {&F::Options1Click, {"Options1"}},
    {&F::Get1Click,
     {"Get1", "Get51", "SpdBtnSearch", "SpdBtnGet5", "SpdBtnGetNextData",
      "SpdBtnResume", "BusyBox"}},
    {&F::NewSearch1Click, {"NewSearch1", "SpeedButton9"}},
    {&F::DeleteZeroBidAuctions1Click,
     {"DeleteZeroBidAuctions1", "SpeedButton4"}},
    {&F::DeleteSelected1Click, {"DeleteSelected1", "SpdDeleteSelected"}},
    {&F::DeleteUnchecked1Click, {"DeleteUnchecked1", "SpdDeleteUnchecked"}},
    {&F::CheckAll1Click, {"CheckAll1", "SpeedButton5"}},
    {&F::GetHourlyandWeekdayStats1Click,
     {"GetHourlyandWeekdayStats1", "SpdBttnGetDateStats"}},
    {&F::OnlineHelp1Click, {"OnlineHelp1", "SpeedButton6"}},
    {&F::EbaysSearchTips1Click, {"EbaysSearchTips1", "SpeedButton7"}},
    {&F::Support1Click, {"Support1"}},
    {&F::About1Click, {"About1"}},
};

// A menu item or button wired to another handler than its own, or passing
// another sender (a Get 5 button starting a plain Get).
TEST(RoutingTest, EveryMenuItemAndButtonRunsItsOwnHandler) {
  for (const auto& [handler, controls] : kRoutes) {
    for (const char* control : controls) {
      GuiHarness h;
      Prepare(h);
      if (QAction* item = h.MenuItem(control)) {
        item->trigger();
      } else if (std::string_view(control) == "BusyBox") {
        h.windows.BusyWidget().SpdBtnResume->click();
      } else {
        QToolButton* button = h.Button(control);
        ASSERT_NE(button, nullptr) << control;
        button->setEnabled(true);
        button->click();
      }
      EXPECT_EQ(TraceOf(h), TraceOfCall(handler, control)) << control;
    }
  }
}

// A double click on the band bar that does not print, or a header click
// that does not reach the sort with its column.
TEST(RoutingTest, BandBarDoubleClickPrintsAndHeaderClickSorts) {
  GuiHarness h;
  Prepare(h);
  QTest::mouseDClick(h.Main().CoolBar1Widget(), Qt::LeftButton, Qt::NoModifier,
                     QPoint(3, 40));
  EXPECT_EQ(TraceOf(h), TraceOfCall(&F::Print1Click, "CoolBar1"));
  // Blank parts of the bands are not the bar: they print nothing.
  QSignalSpy prints(h.Main().CoolBar1Widget(), SIGNAL(DoubleClicked()));
  const std::pair<const char*, QPoint> kBlanks[] = {
      {"PnlCriteria", QPoint(320, 15)},
      {"CoolBar2", QPoint(700, 15)},
      {"Label1", QPoint(2, 2)}};
  for (const auto& [blank, at] : kBlanks)
    QTest::mouseDClick(h.Find(blank), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(prints.count(), 0);

  for (int column = 0; column < 5; ++column) {
    GuiHarness by_click;
    Prepare(by_click);
    QSignalSpy clicks(&by_click.Table(), &ResultsTable::ColumnClicked);
    QHeaderView* bar = by_click.Table().horizontalHeader();
    QTest::mouseClick(bar->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(bar->sectionViewportPosition(column) + 5, 5));
    ASSERT_EQ(clicks.count(), 1) << column;
    EXPECT_EQ(clicks[0][0].toInt(), column);
    auto sort = [column](F& f, const Sender& s) {
      f.ListView1ColumnClick(s, column);
    };
    EXPECT_EQ(TraceOf(by_click), TraceOfCall(sort, "ListView1")) << column;
  }
}

}  // namespace
}  // namespace tolvane::gui::testing
