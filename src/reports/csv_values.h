#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "util/calendar.h"
#include "util/money.h"

namespace tolvane {

// The sale date of another tool's file: ISO ("2026-09-18",
// "2026-09-18T14:03:00Z", "2026-09-18 14:03:00+02:00"), the month named
// ("Sep 18, 2026", "18 Sep 2026", "18-Sep-2026"), the seller reports'
// "Jul-25-26" and "Jul-25-26 16:00:01 PDT", the US order "09/18/2026" and
// the German "18.09.2026", each with an optional time of day ("4:03 PM"
// too). The clock time is kept as written: a zone word or offset after it is
// dropped, as the listing's own clock is what the analysis counts in. Two-
// digit years are of this century. Nothing for any other text.
std::optional<DatedEnd> ReadSaleDate(std::string_view text);

// The data sets' own forms, "2026-09-18", "2026-09-18T14:03:00Z" and
// "2026-09-18 14:03[:00]", read at fixed places, as ReadSaleDate reads them:
// a million cost a fraction of the general reading. Nothing for any other
// text.
std::optional<DatedEnd> ReadIsoSaleDate(std::string_view text);

// The sale price of another tool's file, as ReadMoney reads it; a currency
// only where the text names one.
MoneyReading ReadSalePrice(std::string_view text);

// "1433.66", "$1,433.66", "12.5": digits, commas between groups of three, a
// point and one or two decimals, "$" in front; read directly, as ReadMoney
// reads them. Nothing for any other text.
std::optional<Money> ReadPlainPrice(std::string_view text);

// The Bids text of a row, written over `bids`: the count's digits, or "-"
// for anything else.
void AssignBidsText(std::string_view text, std::string& bids);

// The Description of a row, written over `title`: the title with blanks at
// its ends trimmed and each line break inside it made a space, as the grid
// shows one line.
void AssignTitleText(std::string_view text, std::string& title);

}  // namespace tolvane
