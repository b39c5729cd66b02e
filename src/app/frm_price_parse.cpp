#include "app/frm_price.h"

namespace tolvane {

void TFrmPrice::ParseListingPage(const std::string&) {}

}  // namespace tolvane
