#pragma once

// Small result pages of today's search, in the card layout, made up for the
// tests: the fewest marks the reader needs, each listing a line.

#include <string>
#include <vector>

namespace tolvane::testing {

struct SoldCard {
  std::string item;
  std::string price;  // as the page shows it: "$45.00", "£68.90"
  std::string caption = "Sold  Mar 7, 2026";
  std::string bids = "3 bids";
};

inline std::string SoldResultPage(const std::vector<SoldCard>& cards,
                                  const std::string& next_href = "") {
  std::string page =
      "<!DOCTYPE html><html><head><meta charset=utf-8></head><body>\n"
      "<ul class=\"srp-results srp-list\">\n";
  for (const SoldCard& c : cards) {
    page += "<li class=\"s-card s-card--horizontal\" data-listingid=" + c.item +
            "><div class=s-card__caption>" + c.caption +
            "</div><a href=\"/itm/" + c.item +
            "\"><div class=s-card__title>Lamp " + c.item +
            "</div></a><span class=s-card__price>" + c.price +
            "</span><span class=su-styled-text>" + c.bids + "</span></li>\n";
  }
  page += "</ul>";
  if (!next_href.empty()) {
    page += "<a class=pagination__next href=\"" + next_href + "\">Next</a>";
  }
  return page + "</body></html>\n";
}

inline const std::string kChallengePage =
    "<!DOCTYPE html><html><head><title>Pardon Our Interruption...</title>"
    "</head><body><h1>Pardon Our Interruption</h1><p>Please verify you are "
    "a human.</p></body></html>\n";

}  // namespace tolvane::testing
