#include "listing/price_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

namespace tolvane {
namespace {

// Catches the one-pass reading of the usual price texts taking a text the
// character test refuses, refusing one it takes, or giving any other double
// than the test and the regional conversion together give (a digit dropped,
// the point misplaced, a mark read twice, rounding of its own).
TEST(PriceTextTest, OnePassReadingEqualsTheTestAndTheConversion) {
  const char* const texts[] = {"$1,234.56",
                               "12",
                               "0.05",
                               "00.10",
                               "1.",
                               ".5",
                               ".",
                               "$",
                               "",
                               "0",
                               "1,2.5",
                               "1 2",
                               "$ 1,000.5",
                               "$$1",
                               "1,,2",
                               "1  2",
                               "1.2.3",
                               "1.2$3",
                               "123456789012345",
                               "1234567890123456",
                               "0.1234567890123456789012",
                               "9.99999999999999999999999",
                               "1e5",
                               "-1",
                               "+1",
                               "1\n",
                               "1\r",
                               "a1",
                               "$1,999,999.99",
                               "340282366920938463463374607431768211456.0",
                               "7.000"};
  RegionalSettings us = RegionalSettings::UnitedStates();
  RegionalSettings comma = us;
  comma.decimal_separator = ',';
  for (const RegionalSettings& settings : {us, comma}) {
    for (const char* text : texts) {
      const std::optional<double> want =
          PriceTextUsable(text) ? RowPrice(text, settings) : std::nullopt;
      const std::optional<double> got = AddedRowPrice(text, settings);
      ASSERT_EQ(got.has_value(), want.has_value()) << text;
      if (want) {
        EXPECT_EQ(std::memcmp(&*got, &*want, sizeof(double)), 0) << text;
      }
    }
  }
}

}  // namespace
}  // namespace tolvane
