#include "app/frm_price.h"

namespace tolvane {

void TFrmPrice::Print1Click(const Sender&) {}
void TFrmPrice::SaveResults1Click(const Sender&) {}

}  // namespace tolvane
