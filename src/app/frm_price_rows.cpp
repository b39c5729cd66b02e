#include "app/frm_price.h"

namespace tolvane {

int TFrmPrice::AddItem(const ParsedItem&) { return -1; }
bool TFrmPrice::PriceTextInvalid(const ParsedItem&) const { return true; }
void TFrmPrice::ComputeSummary() {}
void TFrmPrice::SetRowIcons() {}
void TFrmPrice::EdtLowFilterExit(const Sender&) {}

}  // namespace tolvane
