#include "sold_listings.h"

#include <array>
#include <utility>

namespace tolvane::sample {
namespace {

constexpr Currency kCurrencies[] = {{"USD", "$", "", ',', '.', 2},
                                    {"GBP", "\xC2\xA3", "", ',', '.', 2},
                                    {"EUR", "EUR ", "", '.', ',', 2},
                                    {"CAD", "C $", "", ',', '.', 2},
                                    {"AUD", "AU $", "", ',', '.', 2},
                                    {"JPY", "", " \xE5\x86\x86", ',', '.', 0}};

constexpr std::array<const char*, 5> kConditions = {"Pre-Owned", "Pre-Owned",
                                                    "Brand New", "New (Other)",
                                                    "For parts or not working"};

Sale SaleOf(const Auction& a) {
  if (a.traits % 14 == 3) return Sale::kUnsold;
  if (a.bids != "-") return Sale::kBids;
  return (a.traits / 14) % 3 == 0 ? Sale::kBestOffer : Sale::kBuyItNow;
}

}  // namespace

const Currency* FindCurrency(std::string_view code) {
  for (const Currency& c : kCurrencies) {
    if (code == c.code) return &c;
  }
  return nullptr;
}

const Currency& Dollars() { return kCurrencies[0]; }

std::string FormatAmount(std::int64_t cents, const Currency& currency) {
  const std::int64_t whole = currency.decimals == 0 ? cents : cents / 100;
  const std::string digits = std::to_string(whole);
  std::string out = currency.before;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += currency.group;
    out += digits[i];
  }
  if (currency.decimals == 2) {
    out += currency.decimal;
    out += static_cast<char>('0' + cents % 100 / 10);
    out += static_cast<char>('0' + cents % 10);
  }
  return out + currency.after;
}

std::vector<SoldListing> SoldListings(std::string_view expression, int total,
                                      int skip, int count,
                                      const Currency& currency) {
  std::vector<SoldListing> listings;
  for (Auction& a : Auctions(expression, total, skip, count)) {
    SoldListing l;
    const std::uint64_t t = a.traits;
    l.sale = SaleOf(a);
    l.price = FormatAmount(a.cents, currency);
    // Fixed-price sales of several variants show a range now and then, or
    // the asking price the seller lowered from.
    if (l.sale == Sale::kBuyItNow && (t / 42) % 4 == 0) {
      l.price_high = FormatAmount(
          a.cents * static_cast<std::int64_t>(2 + t / 168 % 12) + 99, currency);
    } else if (l.sale == Sale::kBuyItNow && (t / 42) % 4 == 1) {
      l.was = FormatAmount(
          a.cents * static_cast<std::int64_t>(125 + t / 168 % 50) / 100,
          currency);
    }
    if ((t >> 24) % 4 != 0) {
      l.delivery =
          "+" + FormatAmount(static_cast<std::int64_t>(350 + (t >> 28) % 1650),
                             currency);
    }
    l.condition = kConditions[(t >> 20) % kConditions.size()];
    l.new_listing = (t >> 32) % 12 == 0;
    l.auction = std::move(a);
    listings.push_back(std::move(l));
  }
  return listings;
}

}  // namespace tolvane::sample
