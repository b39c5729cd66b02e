#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "util/regional.h"

namespace tolvane {

// A sale price as read from today's pages or another tool's file.
struct Money {
  // ISO 4217 code: "USD", "GBP", "EUR", "CAD", "AUD", "JPY", ...
  std::string currency;
  // The whole units, digits only, without leading zeros ("0" for none).
  std::string units;
  // The fraction's digits as written: none, one or two.
  std::string fraction;
  friend bool operator==(const Money&, const Money&) = default;
};

// Why a text gave no usable price.
enum class MoneyProblem {
  kNone,
  kMissing,     // no amount at all
  kRange,       // two amounts: "$84.90 to $1,169.90" is no single sale
  kNegative,    // "-12.00" or "($18.42)": a refund or a fee, not a sale
  kUnreadable,  // anything else
};

struct MoneyReading {
  std::optional<Money> money;
  MoneyProblem problem = MoneyProblem::kNone;
};

// Reads "$1,433.66", "1433.66", "US $12.00", "£68.90", "EUR 1.049,00",
// "C $55.00", "AU $12.00", "8,916 円", "12.5", "1 049,00 €". The currency
// comes from the symbol or code beside the amount; an amount without one is
// in `default_currency`. Of "." and ",", the last one is the decimal mark
// when one or two digits follow it, and every other is a group mark.
// "$" alone is the US dollar. Either UTF-8 or Windows-1252 "£" and "€".
MoneyReading ReadMoney(std::string_view text,
                       std::string_view default_currency = "USD");

// The currency named by a code or symbol alone ("USD", "usd", "£", "C $"),
// as a file's currency column gives it; nothing for any other text.
std::optional<std::string> CurrencyOfSymbol(std::string_view text);

// The price in the grid's Price form, the one the price test and the
// statistics read: US dollars as "$" and the rest as digits only, one group
// comma after the first group ("$1,234567.00": a second comma would make the
// price unusable), two decimals (none for currencies without minor units,
// such as the yen).
std::string GridPriceText(const Money& money);
// The same written into `text`, from the parts of an amount already read.
void AssignGridPriceText(std::string_view currency, std::string_view units,
                         std::string_view fraction, std::string& text);

// How the figures of prices in `currency` are written for a user whose own
// settings are `own`: the user's own settings when that is their currency
// (or no currency is known), else the same separators with the currency's
// own symbol in front ("£12.00", "C $55.00", "US $1.00"), so no amount ever
// shows under another currency's symbol.
RegionalSettings SettingsForCurrency(const RegionalSettings& own,
                                     std::string_view currency);

// "US dollars (USD)", "pounds sterling (GBP)"; the code alone for a
// currency without a name here.
std::string CurrencyName(std::string_view currency);

// What the user reads when prices in `incoming` may not join a grid whose
// rows are in `grid`; `source` names what was refused ("The page",
// "sold.csv").
std::string CurrencyConflictMessage(std::string_view source,
                                    std::string_view incoming,
                                    std::string_view grid);

}  // namespace tolvane
