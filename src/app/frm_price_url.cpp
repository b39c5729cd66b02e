#include "app/frm_price.h"
#include "retrieval/search_url.h"

namespace tolvane {

// Built from the search box at the moment of each request, so a page of a
// run always carries the expression as it stands then.
std::string TFrmPrice::BuildSearchURL(int offset) const {
  return SearchURL(Hosts().search_service, EdtQuery.Text(), offset);
}

}  // namespace tolvane
