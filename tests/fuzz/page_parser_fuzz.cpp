// Feeds any bytes to the page walk, as a captured file and as the page text
// itself: it must not crash or read outside the text. What it finds is
// checked against the literal steps by the differential test.
#include <cstddef>
#include <cstdint>
#include <string>

#include "listing/page_parser.h"
#include "util/lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tolvane;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ParsedItem current;
  const auto ignore = [](const ParsedItem&) {};
  WalkAuctions(PageTextOf(LinesText(SplitLines(bytes))), current, ignore);
  WalkAuctions(bytes, current, ignore);
  return 0;
}
