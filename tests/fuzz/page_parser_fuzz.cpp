// Feeds any bytes to the page walk: it must not crash or read outside the
// text, and on inputs small enough for the slow literal walk it must give
// exactly the same records, next-page answer and rest.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "listing/literal_page_walk.h"
#include "listing/page_parser.h"
#include "util/files.h"

namespace {

constexpr std::size_t kLiteralLimit = 8192;

bool SameItem(const tolvane::ParsedItem& a, const tolvane::ParsedItem& b) {
  return a.Item == b.Item && a.Description == b.Description &&
         tolvane::testing::SamePrice(a.Price, b.Price) && a.Bids == b.Bids &&
         a.Ended == b.Ended;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tolvane;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // As a captured file: lines, head rule, walk.
  ParsedItem current;
  WalkAuctions(PageTextOf(LinesText(SplitLines(bytes))), current,
               [](const ParsedItem&) {});

  // As the page text itself, against the literal steps.
  std::vector<ParsedItem> items;
  const PageWalkResult fast = WalkAuctions(
      bytes, current, [&](const ParsedItem& item) { items.push_back(item); });
  if (size > kLiteralLimit) return 0;
  const testing::LiteralWalk literal = testing::WalkAuctionsLiterally(bytes);
  if (items.size() != literal.items.size()) std::abort();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!SameItem(items[i], literal.items[i])) std::abort();
  }
  if (fast.next_page != literal.next_page || fast.rest != literal.rest) {
    std::abort();
  }
  return 0;
}
