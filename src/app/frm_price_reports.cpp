#include "app/frm_price.h"
#include "reports/report.h"
#include "util/files.h"

namespace tolvane {
namespace {

constexpr const char* kIncludeItems = "Include items in printout?";
constexpr const char* kIncludeUnchecked =
    "Include unchecked items in printout?";
constexpr int kPrintCopies = 1;

}  // namespace

void TFrmPrice::Print1Click(const Sender&) {
  MessageBox& ask = services_.message_box;
  ReportItems items = ReportItems::kNone;
  if (ask.Show(kIncludeItems, "", MbButtons::kYesNo, MbIcon::kNone) ==
      MbResult::kYes) {
    items = ask.Show(kIncludeUnchecked, "", MbButtons::kYesNo, MbIcon::kNone) ==
                    MbResult::kYes
                ? ReportItems::kAll
                : ReportItems::kChecked;
  }
  if (!services_.PrntDlg.Execute(kPrintCopies)) return;
  RchEdtPrint_ =
      ComposeReport(EdtQuery.Text(), MResultsLeft.Lines(), grid_, items);
  services_.printer.Print(RchEdtPrint_, kReportTitle);
}

void TFrmPrice::SaveResults1Click(const Sender&) {
  if (!services_.file_dialog.ExecuteSave(SvDlg_)) return;
  // The memo's text as it stands, typed lines and the export note included;
  // the chosen file type changes only the name.
  WriteFileAtomically(SvDlg_.file_name, TextFileBytes(MResultsLeft.Lines()));
}

}  // namespace tolvane
