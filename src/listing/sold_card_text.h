#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "util/calendar.h"

namespace tolvane {

// The texts of one card on today's result pages, each given as plain text:
// entities decoded, blanks collapsed (see Collapsed).

// A card's caption: "Sold  Mar 7, 2026", "Sold 7 Mar 2026", "Verkauft 7. Mär
// 2026", "販売済み Jan 9, 2026", and the same with "Ended" or "Beendet".
struct CardCaption {
  enum class Kind { kNone, kSold, kEnded };
  Kind kind = Kind::kNone;
  // Nothing when the caption names no real date.
  std::optional<Date> date;
};
CardCaption ReadCardCaption(std::string_view text);

// The digits of "23 bids", "1 bid", "0 Gebote ·", "1 Gebot", "4件の入札";
// nothing for any other text.
std::optional<std::string> BidsOfText(std::string_view text);

// Whether the text is the badge a title may begin with: "New listing",
// "NEW LISTING", "Neues Angebot".
bool IsNewListingBadge(std::string_view text);

// Whether the text is the divider after which the results list holds near
// matches only: "Results matching fewer words", "Ergebnisse für weniger
// Suchbegriffe".
bool IsFewerWordsDivider(std::string_view text);

// The item number of a link to an item page ("https://www.ebay.com/itm/
// 377007281744?hash=...", ".../itm/brass-lamp/377007281744"); empty for any
// other address.
std::string ItemOfLink(std::string_view href);

// The value when it is all digits, else empty.
std::string DigitsOnly(std::string_view value);

}  // namespace tolvane
