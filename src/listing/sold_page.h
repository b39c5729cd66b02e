#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "listing/parsed_item.h"

namespace tolvane {

// What a page read from the site (or saved from a browser) holds, told by
// its content alone.
enum class PageKind {
  kClassic,       // anything else: the completed-items walk reads it
  kSoldListings,  // today's search results: the srp-results list
  kChallenge,     // the site asks to confirm that a person is searching
};
// A page with an element of class srp-results is today's, whatever its
// scripts say; one without it that shows the site's bot check ("Pardon Our
// Interruption", a captcha or challenge form) and no classic item link is a
// challenge; anything else is classic.
PageKind RecognisePage(std::string_view page);

// One of today's result pages, read.
struct SoldPage {
  // The sold and ended listings of the results list, in page order, each in
  // the grid's five texts: the item number, the title as plain text, the
  // bids' digits or "-", the price in the grid's Price form (empty when the
  // listing gives no single usable price: a range, an unreadable amount, a
  // currency other than the page's), and the date in the dated Ended form.
  // Listings whose sold price the page does not tell (a best offer
  // accepted) and listings that ended unsold are unchecked.
  std::vector<ParsedItem> listings;
  // The ISO code of the listings' currency; empty when none had a price.
  std::string currency;
  // Listings of the results list without a Sold or Ended caption: items
  // still for sale, which are never read as sales.
  int for_sale = 0;
  // The address of the page's own next-page link, entities decoded, when
  // the link is there and not disabled.
  std::optional<std::string> next_page;
};

// Reads a page of the kSoldListings kind in one pass over its bytes, by class
// names and texts, however the markup is nested, quoted or indented; any
// other bytes give no listings. The cost is linear in the page's size on any
// input; never throws on bad input.
SoldPage ReadSoldPage(std::string_view page);

}  // namespace tolvane
