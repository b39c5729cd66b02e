#include "app/command_table.h"

#include "app/frm_price.h"

namespace tolvane {
namespace {

using F = TFrmPrice;

// "-" is a separator; captions are UTF-8. The Data menu's Get 5 starts a Get 5
// like the tool bar's button: Get tells the two apart from the rest by their
// names.
constexpr MenuEntry kMenu[] = {
    {"File1", "&File", nullptr, nullptr},
    {"OpenSavedPages1", "&Open Saved Pages\u2026", "File1",
     &F::OpenSavedPages1Click},
    {"Print1", "&Print", "File1", &F::Print1Click},
    {"SaveResults1", "&Save Results", "File1", &F::SaveResults1Click},
    {"ImportExport1", "Import && Export", "File1", nullptr},
    {"CreateCSVFileFromGrid1", "Export CSV File From Grid", "ImportExport1",
     &F::CreateCSVFileFromGrid1Click},
    {"ImportCSVFileFromGrid1", "Import CSV File to Grid", "ImportExport1",
     &F::ImportCSVFileFromGrid1Click},
    {"MergeCSVFileWithCurrentGridResults1",
     "Merge CSV File With Current Grid Results", "ImportExport1",
     &F::MergeCSVFileWithCurrentGridResults1Click},
    {"Exit1", "E&xit", "File1", &F::Exit1Click},
    {"View1", "&View", nullptr, nullptr},
    {"Browser1", "&Browser", "View1", nullptr},
    {"Options1", "Options", "View1", &F::Options1Click},
    {"MarketView1", "&Market View", "View1", nullptr},
    {"Help1", "&Data", nullptr, nullptr},
    {"Get1", "&Get ", "Help1", &F::Get1Click},
    {"Get51", "Get &5", "Help1", &F::Get1Click},
    {"NewSearch1", "&New Search", "Help1", &F::NewSearch1Click},
    {"DeleteZeroBidAuctions1", "&Delete Zero Bid Auctions", "Help1",
     &F::DeleteZeroBidAuctions1Click},
    {"DeleteSelected1", "Delete &Selected", "Help1", &F::DeleteSelected1Click},
    {"DeleteUnchecked1", "Delete &Unchecked", "Help1",
     &F::DeleteUnchecked1Click},
    {"CheckAll1", "&Check All", "Help1", &F::CheckAll1Click},
    {"GetHourlyandWeekdayStats1", "Get &Hourly and Weekday Stats", "Help1",
     &F::GetHourlyandWeekdayStats1Click},
    {"Help2", "&Help", nullptr, nullptr},
    {"OnlineHelp1", "Online &Help", "Help2", &F::OnlineHelp1Click},
    {"EbaysSearchTips1", "&Ebay's Search Tips", "Help2",
     &F::EbaysSearchTips1Click},
    {"N1", "-", "Help2", nullptr},
    {"Support1", "Tech &Support", "Help2", &F::Support1Click},
    {"N2", "-", "Help2", nullptr},
    {"About1", "&About", "Help2", &F::About1Click},
};

constexpr ButtonEntry kToolbar[] = {
    {"SpdBtnSearch", "Get data", 0, &F::Get1Click},
    {"SpdBtnGet5", "Get data", 40, &F::Get1Click},
    {"SpdBtnGetNextData", "Get next page", 80, &F::Get1Click},
    {"SpeedButton9", "New Search", 120, &F::NewSearch1Click},
    {"SpeedButton2", "Save summary to disk", 160, &F::SaveResults1Click},
    {"SpdBttnGetDateStats", "Day of the week and hourly analysis", 200,
     &F::GetHourlyandWeekdayStats1Click},
    {"SpeedButton1", "Print", 240, &F::Print1Click},
    {"SpeedButton7", "Ebay's Search Tips", 280, &F::EbaysSearchTips1Click},
    {"SpdExit", "Exit", 320, &F::Exit1Click},
    {"SpeedButton6", "Online help", 360, &F::OnlineHelp1Click},
    {"SpdBtnCSVOut", "Save Grid Contents to CSV File", 400,
     &F::CreateCSVFileFromGrid1Click},
    {"SpdBtnCSVIn", "Import CSV File to grid", 440,
     &F::ImportCSVFileFromGrid1Click},
    {"SpeedButton3", "Merge CSV File With Current Results", 480,
     &F::MergeCSVFileWithCurrentGridResults1Click},
};

// The side bar's "Delete selected auctions" deletes the selected rows, as
// its hint says.
constexpr ButtonEntry kSideBar[] = {
    {"SpeedButton4", "Delete zero bid auctions", 0,
     &F::DeleteZeroBidAuctions1Click},
    {"SpdDeleteUnchecked", "Delete unchecked", 32, &F::DeleteUnchecked1Click},
    {"SpdDeleteSelected", "Delete selected auctions", 64,
     &F::DeleteSelected1Click},
    {"SpeedButton5", "Check All", 96, &F::CheckAll1Click},
    {"SpdBtnResume",
     "Click if the data gathering process hass stalled or did not move data "
     "to grid.",
     288, &F::Get1Click},
};

}  // namespace

std::span<const MenuEntry> MainMenuEntries() { return kMenu; }
std::span<const ButtonEntry> ToolbarButtons() { return kToolbar; }
std::span<const ButtonEntry> SideBarButtons() { return kSideBar; }

}  // namespace tolvane
