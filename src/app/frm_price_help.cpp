#include "app/frm_price.h"

namespace tolvane {

void TFrmPrice::OnlineHelp1Click(const Sender&) {}
void TFrmPrice::EbaysSearchTips1Click(const Sender&) {}
void TFrmPrice::Support1Click(const Sender&) {}

}  // namespace tolvane
