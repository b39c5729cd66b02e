#include "util/regional.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane {
namespace {

// Catches a locale's currency placed or signed otherwise than its
// conventions say, its code or separators misread (a multi-byte or missing
// group mark, a missing monetary decimal mark), or a locale without a
// currency symbol not taken for United States settings.
TEST(RegionalTest, ConventionsBecomeTheSettings) {
  struct Case {
    const char* symbol;
    const char* code;
    char precedes, spaced, sign_position, negative_precedes, negative_spaced;
    const char* decimal;
    const char* groups;
    const char* expected;  // symbol code format negative groups decimal
  };
  const Case kCases[] = {
      {"$", "USD ", 1, 0, 1, 1, 0, ".", ",", "$ USD 0 1 44 46"},
      {"\xE2\x82\xAC", "EUR ", 0, 1, 1, 0, 1, ",", ".",
       "\xE2\x82\xAC EUR 3 8 46 44"},
      {"\xE2\x82\xAC", "EUR ", 0, 1, 1, 0, 0, ",", "\xE2\x80\xAF",
       "\xE2\x82\xAC EUR 3 5 32 44"},
      {"Fr.", "CHF ", 1, 1, 4, 1, 1, "", "'", "Fr. CHF 2 9 39 44"},
      {"kr", "", 0, 0, 0, 0, 0, ",", "", "kr USD 1 0 0 44"},
      {"", "EUR ", 0, 1, 1, 0, 1, ",", ".", "$ USD 0 0 44 46"},
  };
  for (const Case& c : kCases) {
    std::lconv conv{};
    char decimal_point[] = ",";
    conv.decimal_point = decimal_point;
    conv.currency_symbol = const_cast<char*>(c.symbol);
    conv.int_curr_symbol = const_cast<char*>(c.code);
    conv.mon_decimal_point = const_cast<char*>(c.decimal);
    conv.mon_thousands_sep = const_cast<char*>(c.groups);
    conv.p_cs_precedes = c.precedes;
    conv.p_sep_by_space = c.spaced;
    conv.n_sign_posn = c.sign_position;
    conv.n_cs_precedes = c.negative_precedes;
    conv.n_sep_by_space = c.negative_spaced;
    const RegionalSettings s = RegionalSettings::FromConventions(conv);
    EXPECT_EQ(s.currency_symbol + " " + s.currency_code + " " +
                  std::to_string(s.currency_format) + " " +
                  std::to_string(s.negative_currency_format) + " " +
                  std::to_string(s.thousands_separator) + " " +
                  std::to_string(s.decimal_separator),
              c.expected)
        << c.symbol << c.code;
  }
}

}  // namespace
}  // namespace tolvane
