#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "listing/parsed_item.h"

namespace tolvane::bench {

// N auctions as a result page gives them: distinct ten-digit item numbers
// in no particular order, titles, bids ("-" for about one in eight) and
// prices such as $1,234.56.
inline std::vector<ParsedItem> SampleItems(std::size_t n) {
  std::vector<ParsedItem> items;
  items.reserve(n);
  std::uint64_t state = 88172645463325252ULL;
  const auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  char text[64];
  for (std::size_t i = 0; i < n; ++i) {
    ParsedItem item;
    // Multiplying by an odd number is a bijection modulo 2^32: distinct
    // numbers, scattered.
    const std::uint32_t scattered = static_cast<std::uint32_t>(i) * 2654435761u;
    item.Item = std::to_string(1000000000ULL + scattered);
    item.Description =
        "Vintage brass table lamp with shade, lot " + std::to_string(i);
    const std::uint64_t r = next();
    item.Bids = r % 8 == 0 ? "-" : std::to_string(r % 40);
    const unsigned cents = static_cast<unsigned>((r >> 8) % 300000);
    if (cents >= 100000) {
      std::snprintf(text, sizeof text, "$%u,%03u.%02u", cents / 100000,
                    cents / 100 % 1000, cents % 100);
    } else {
      std::snprintf(text, sizeof text, "$%u.%02u", cents / 100, cents % 100);
    }
    item.Price = text;
    item.Ended = "Dec-06 14:22";
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace tolvane::bench
