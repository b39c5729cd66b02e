#include "app/frm_price.h"

namespace tolvane {
namespace {

// eBay's search-tips page, on its help-pages host.
constexpr const char* kSearchTipsPath = "/help/buy/index.html?search_tips.html";

}  // namespace

// Each link hands its address to the desktop; ShellOpen itself tells the
// user when that fails, and nothing else changes either way.
void TFrmPrice::OnlineHelp1Click(const Sender&) {
  glo_.ShellOpen(Hosts().online_help);
}

void TFrmPrice::EbaysSearchTips1Click(const Sender&) {
  glo_.ShellOpen(Hosts().help_pages + kSearchTipsPath);
}

void TFrmPrice::Support1Click(const Sender&) {
  glo_.ShellOpen(Hosts().support);
}

}  // namespace tolvane
