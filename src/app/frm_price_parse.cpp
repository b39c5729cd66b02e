#include <utility>

#include "app/busy_box.h"
#include "app/frm_price.h"
#include "listing/page_parser.h"
#include "util/error.h"
#include "util/files.h"

namespace tolvane {
namespace {

constexpr int kLoadAttempts = 99;

// The text of the capture file's lines. A file that cannot be read gives
// an empty page, which simply has no rows; the read is tried again at once,
// as a file briefly held by the page loader may be.
std::string ReadPageText(const std::string& file_name) {
  for (int attempt = 1;; ++attempt) {
    try {
      return ReadLinesText(file_name);
    } catch (const Error& error) {
      // Exhausted memory is told, not taken for an empty page.
      if (error.what() == FormatMessage(kNoMemoryForFile, file_name)) throw;
      if (attempt >= kLoadAttempts) return {};
    }
  }
}

}  // namespace

void TFrmPrice::ParseListingPage(const std::string& file_name) {
  // The page is read straight into one text, never a string per line.
  PageText = PageTextOf(ReadPageText(file_name));
  PageWalkResult walk =
      WalkAuctions(std::move(PageText), CurrentItem, [this](const ParsedItem&) {
        // A duplicate or an unusable price is simply left out.
        AddItem(CurrentItem);
        app_.BusyBox->Form.Repaint();
      });
  // What the walk did not consume stays until the next page replaces it.
  PageText = std::move(walk.rest);
  Form.SetEnabled(true);
  page_links_next_ = walk.next_page;
  if (walk.next_page) SpdBtnGetNextData.SetEnabled(true);
  GatherData(GatherStep::kSummarise);
}

}  // namespace tolvane
