#pragma once

#include <string>
#include <string_view>

#include "sold_listings.h"

// Today's sold-listings search pages (/sch/i.html), minified as the site
// writes them, in either of its two layouts.
namespace tolvane::sample {

enum class Layout {
  kCard,  // li.s-card, 2025 on
  kList   // li.s-item, 2019 to 2025
};

struct SoldPageOptions {
  int total = -1;  // listings found; -1 takes ResultCount
  int page = 1;    // from 1, kPageSize listings a page
  Layout layout = Layout::kCard;
  // Scheme and host the page's links lead to: "http://127.0.0.1:8080".
  std::string origin;
  const Currency* currency = &Dollars();
};

std::string SoldPage(std::string_view expression,
                     const SoldPageOptions& options);

// The address of one page of the search, as a link on a page writes it.
std::string SoldSearchLink(std::string_view origin, std::string_view expression,
                           int page);

// The page of a listing found by today's search (/itm/ITEM).
std::string SoldItemPage(std::string_view item);

// The page the site answers with when it takes the client for a robot.
std::string ChallengePage();

}  // namespace tolvane::sample
