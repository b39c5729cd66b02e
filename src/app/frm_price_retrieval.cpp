#include "app/frm_price.h"

namespace tolvane {

void TFrmPrice::Get1Click(const Sender&) {}
void TFrmPrice::ConfirmGet5() {}
void TFrmPrice::GatherData(GatherStep) {}
void TFrmPrice::NavigateToPage() {}
bool TFrmPrice::CapturePage(const std::string&, Browser&) { return false; }
bool TFrmPrice::IsSamePage() { return false; }
void TFrmPrice::MiniBroDownloadComplete(const Sender&) {}
void TFrmPrice::TmrTimeoutTimer(const Sender&) {}

}  // namespace tolvane
