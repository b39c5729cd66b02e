#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "listing/parsed_item.h"

namespace tolvane::bench {

// Auctions as a result page gives them, one at a time: distinct ten-digit
// item numbers in no particular order, titles, bids ("-" for about one in
// eight) and prices such as $1,234.56.
class SampleItemStream {
 public:
  ParsedItem Next() {
    ParsedItem item;
    // Multiplying by an odd number is a bijection modulo 2^32: distinct
    // numbers, scattered.
    const std::uint32_t scattered =
        static_cast<std::uint32_t>(i_) * 2654435761u;
    item.Item = std::to_string(1000000000ULL + scattered);
    item.Description =
        "Vintage brass table lamp with shade, lot " + std::to_string(i_);
    const std::uint64_t r = Random();
    item.Bids = r % 8 == 0 ? "-" : std::to_string(r % 40);
    const unsigned cents = static_cast<unsigned>((r >> 8) % 300000);
    char text[64];
    if (cents >= 100000) {
      std::snprintf(text, sizeof text, "$%u,%03u.%02u", cents / 100000,
                    cents / 100 % 1000, cents % 100);
    } else {
      std::snprintf(text, sizeof text, "$%u.%02u", cents / 100, cents % 100);
    }
    item.Price = text;
    item.Ended = "Dec-06 14:22";
    ++i_;
    return item;
  }

 private:
  std::uint64_t Random() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }

  std::uint64_t state_ = 88172645463325252ULL;
  std::size_t i_ = 0;
};

// The first N of them.
inline std::vector<ParsedItem> SampleItems(std::size_t n) {
  std::vector<ParsedItem> items;
  items.reserve(n);
  SampleItemStream stream;
  for (std::size_t i = 0; i < n; ++i) items.push_back(stream.Next());
  return items;
}

}  // namespace tolvane::bench
