#include "app/frm_price.h"

namespace tolvane {

void TFrmPrice::GetHourlyandWeekdayStats1Click(const Sender&) {}

}  // namespace tolvane
