#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sample_pages.h"

// What today's sold-listings pages show about the made-up auctions of the
// completed-items pages: the same items, titles, prices and bids, with how
// each sale ended and its date with a year.
namespace tolvane::sample {

// How a listing ended.
enum class Sale {
  kBids,       // an auction won by its highest bid
  kBuyItNow,   // bought at the asking price
  kBestOffer,  // the seller accepted an offer: the price shown is struck
  kUnsold      // ended without a sale ("Ended" caption)
};

// How the page writes amounts: "$1,234.56", "EUR 1.234,56", "1,234 円".
struct Currency {
  const char* code;
  const char* before;
  const char* after;
  char group;
  char decimal;  // unused without decimals
  int decimals;  // 2, or 0 for a currency without minor units
};

// The currency of an ISO code: USD, GBP, EUR, CAD, AUD or JPY; nullptr for
// any other.
const Currency* FindCurrency(std::string_view code);
const Currency& Dollars();

// The amount in the currency's form. A currency without minor units counts
// the cents as whole units, so figures keep their size.
std::string FormatAmount(std::int64_t cents, const Currency& currency);

struct SoldListing {
  Auction auction;
  Sale sale = Sale::kBids;
  std::string price;       // in the page's currency
  std::string price_high;  // a price range's upper end; empty for one price
  std::string was;         // the original asking price struck beside it
  std::string delivery;    // "+$12.00" or empty for free delivery
  std::string condition;   // "Pre-Owned"
  bool new_listing = false;
};

// The listings from `skip` on, at most `count` of `total`.
std::vector<SoldListing> SoldListings(std::string_view expression, int total,
                                      int skip, int count,
                                      const Currency& currency);

}  // namespace tolvane::sample
