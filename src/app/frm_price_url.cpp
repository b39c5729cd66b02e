#include "app/frm_price.h"
#include "app/site_choice.h"

namespace tolvane {

// Built from the search box and the stored site at the moment of each
// request, so a page of a run always carries the expression as it stands
// then.
std::string TFrmPrice::BuildSearchURL(int offset) const {
  return SearchAddress(Hosts(), ReadSiteChoice(services_.preferences),
                       EdtQuery.Text(), offset);
}

}  // namespace tolvane
