#pragma once

#include <clocale>
#include <string>

namespace tolvane {

// The user's regional number and currency settings. Every formatter takes
// them as an argument so tests can pin United States settings.
struct RegionalSettings {
  std::string currency_symbol = "$";
  // Where the symbol goes for positive amounts: 0 "$1", 1 "1$", 2 "$ 1",
  // 3 "1 $".
  int currency_format = 0;
  // Negative amounts: 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 5 "-1$",
  // 8 "-1 $", 9 "-$ 1".
  int negative_currency_format = 0;
  char thousands_separator = ',';
  char decimal_separator = '.';
  // The ISO 4217 code of the user's own currency: prices in it are written
  // with the symbol above, prices in any other with that currency's own.
  std::string currency_code = "USD";

  static RegionalSettings UnitedStates();
  // Read from the process's C locale (LC_NUMERIC, LC_MONETARY as set by the
  // environment); a locale without a currency symbol gives United States
  // settings.
  static RegionalSettings FromSystemLocale();
  // The same from a locale's conventions as localeconv gives them.
  static RegionalSettings FromConventions(const std::lconv& conv);
};

}  // namespace tolvane
