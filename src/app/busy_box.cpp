#include "app/busy_box.h"

#include "app/frm_price.h"

namespace tolvane {

void TBusyBox::SpdBtnResumeClick(const Sender&) {
  app_.FrmPrice->Get1Click(Sender{"BusyBox"});
}

}  // namespace tolvane
