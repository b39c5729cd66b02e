// Feeds any bytes to today's page reader: it must not crash, read outside
// the page or throw, and every listing it gives must have the forms the
// grid relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "listing/sold_page.h"
#include "util/calendar.h"

namespace {

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tolvane;
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  RecognisePage(page);
  const SoldPage read = ReadSoldPage(page);
  for (const ParsedItem& listing : read.listings) {
    if (!AllDigits(listing.Item)) std::abort();
    if (listing.Bids != "-" && !AllDigits(listing.Bids)) std::abort();
    if (!listing.Ended.empty() && !ReadDatedEnd(listing.Ended)) std::abort();
    if (!listing.Price.empty() && read.currency.empty()) std::abort();
  }
  return 0;
}
