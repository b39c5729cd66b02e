#include "util/regional.h"

#include <clocale>
#include <string>

namespace tolvane {

RegionalSettings RegionalSettings::UnitedStates() { return {}; }

RegionalSettings RegionalSettings::FromSystemLocale() {
  std::setlocale(LC_ALL, "");
  const std::lconv* conv = std::localeconv();
  const RegionalSettings settings =
      conv == nullptr ? UnitedStates() : FromConventions(*conv);
  // The program's own text handling stays byte-wise whatever the locale.
  std::setlocale(LC_ALL, "C");
  return settings;
}

RegionalSettings RegionalSettings::FromConventions(const std::lconv& conv) {
  if (conv.currency_symbol == nullptr || conv.currency_symbol[0] == '\0') {
    return UnitedStates();
  }
  RegionalSettings settings;
  settings.currency_symbol = conv.currency_symbol;
  // "EUR " and the like: the code is its first three letters.
  if (conv.int_curr_symbol != nullptr &&
      std::string(conv.int_curr_symbol).size() >= 3) {
    settings.currency_code = std::string(conv.int_curr_symbol, 3);
  }
  const bool before = conv.p_cs_precedes != 0;
  const bool spaced = conv.p_sep_by_space == 1;
  settings.currency_format = before ? (spaced ? 2 : 0) : (spaced ? 3 : 1);
  if (conv.n_sign_posn == 0) {
    settings.negative_currency_format = 0;
  } else if (conv.n_cs_precedes != 0) {
    settings.negative_currency_format = conv.n_sep_by_space == 1 ? 9 : 1;
  } else {
    settings.negative_currency_format = conv.n_sep_by_space == 1 ? 8 : 5;
  }
  if (conv.mon_decimal_point != nullptr && conv.mon_decimal_point[0] != '\0') {
    settings.decimal_separator = conv.mon_decimal_point[0];
  } else if (conv.decimal_point != nullptr && conv.decimal_point[0] != '\0') {
    settings.decimal_separator = conv.decimal_point[0];
  }
  if (conv.mon_thousands_sep != nullptr) {
    // Multi-byte separators (a no-break space in UTF-8) fall back to a blank.
    const std::string sep = conv.mon_thousands_sep;
    settings.thousands_separator =
        sep.empty() ? '\0' : (sep.size() == 1 ? sep[0] : ' ');
  }
  return settings;
}

}  // namespace tolvane
