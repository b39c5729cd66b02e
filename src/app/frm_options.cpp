#include "app/frm_options.h"

namespace tolvane {

void TFrmOptions::FormShow(const Sender&) { ReadTimeout(); }
void TFrmOptions::ReadTimeout() {}
void TFrmOptions::BitBtnOKClick(const Sender&) { Form.Hide(); }
void TFrmOptions::BitBtnCancelClick(const Sender&) { Form.Hide(); }

}  // namespace tolvane
