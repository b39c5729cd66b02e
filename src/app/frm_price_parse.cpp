#include <utility>

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
  PageWalkResult walk =
      WalkAuctions(std::move(PageText), CurrentItem, [this](const ParsedItem&) {
        // A duplicate or an unusable price is simply left out.
        AddItem(CurrentItem);
        app_.BusyBox->Form.Repaint();
      });
  // What the walk did not consume stays until the next page replaces it.
  PageText = std::move(walk.rest);
  Form.SetEnabled(true);
  if (walk.next_page) SpdBtnGetNextData.SetEnabled(true);
  GatherData(GatherStep::kSummarise);
}

}  // namespace tolvane
