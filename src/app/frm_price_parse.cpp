#include "app/busy_box.h"
#include "app/frm_price.h"
#include "listing/page_parser.h"

namespace tolvane {
namespace {

constexpr int kLoadAttempts = 99;

}  // namespace

void TFrmPrice::ParseListingPage(const std::string& file_name) {
  PageLines.clear();
  TessikGlo::LoadFile(PageLines, file_name, kLoadAttempts);
  PageText = PageTextOf(PageLines);
  const PageWalkResult walk =
      WalkAuctions(std::move(PageText), CurrentItem, [this](const ParsedItem&) {
        AddItem(CurrentItem);
        app_.BusyBox->Form.Repaint();
      });
  // PageText keeps what the walk left, as the next page's parse replaces it.
  PageText = walk.rest;
  Form.SetEnabled(true);
  if (walk.next_page) SpdBtnGetNextData.SetEnabled(true);
  GatherData(GatherStep::kSummarise);
}

}  // namespace tolvane
