#include "app/frm_price.h"

namespace tolvane {

void TFrmPrice::CheckAll1Click(const Sender&) {}
void TFrmPrice::DeleteZeroBidAuctions1Click(const Sender&) {}
void TFrmPrice::DeleteSelected1Click(const Sender&) {}
void TFrmPrice::DeleteUnchecked1Click(const Sender&) {}
void TFrmPrice::NewSearch1Click(const Sender&) {}
void TFrmPrice::ListView1ColumnClick(const Sender&, int) {}
void TFrmPrice::ListView1Click(const Sender&) {}

}  // namespace tolvane
