#include "util/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/error_of.h"

namespace tolvane {
namespace {

const RegionalSettings kUs = RegionalSettings::UnitedStates();

using testing::ErrorOf;

TEST(NumbersTest, StrToIntAcceptsOnlyWholeNumbersThatFit) {
  EXPECT_EQ(StrToInt("90"), 90);
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("-12"), -12);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt(" 42"), 42);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "1.5", "2147483648", "12 ", "abc", "-", "1e3",
                          "99999999999999999999", "0x10"}) {
    EXPECT_EQ(ErrorOf([&] { StrToInt(bad); }),
              std::string("'") + bad + "' is not a valid integer value");
  }
}

TEST(NumbersTest, StrToFloatUsesTheRegionalSeparator) {
  EXPECT_DOUBLE_EQ(StrToFloat("12.50", kUs), 12.5);
  EXPECT_DOUBLE_EQ(StrToFloat(" -3 ", kUs), -3);
  EXPECT_DOUBLE_EQ(StrToFloat(".5", kUs), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("12.", kUs), 12);
  EXPECT_DOUBLE_EQ(StrToFloat("1E3", kUs), 1000);
  EXPECT_DOUBLE_EQ(StrToFloat("1.5e+3", kUs), 1500);
  EXPECT_DOUBLE_EQ(StrToFloat("2E-2", kUs), 0.02);
  for (const char* bad : {"", ".", "1,000.00", "1234,567.00", "EUR5.50",
                          "12.50\n", "nan", "inf", "1e", "$5", "1.2.3"}) {
    EXPECT_EQ(ErrorOf([&] { StrToFloat(bad, kUs); }),
              std::string("'") + bad + "' is not a valid floating point value");
  }
  RegionalSettings german = kUs;
  german.decimal_separator = ',';
  EXPECT_DOUBLE_EQ(StrToFloat("12,5", german), 12.5);
  double value = 0;
  EXPECT_FALSE(TryStrToFloat("12.5", german, value));
}

// Catches binary rounding artefacts: 15 significant digits first, then half
// away from zero at the cent.
TEST(NumbersTest, CurrencyForms) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {{1234.5, "$1,234.50"},
                        {0, "$0.00"},
                        {999999, "$999,999.00"},
                        {-1234.5, "($1,234.50)"},
                        {0.125, "$0.13"},
                        {1.005, "$1.01"},
                        {2.675, "$2.68"},
                        {-0.001, "$0.00"},
                        {0.995, "$1.00"},
                        {999.995, "$1,000.00"},
                        {1234567.891, "$1,234,567.89"},
                        {static_cast<double>(15.1666667f), "$15.17"},
                        {45.5, "$45.50"}};
  for (const Case& c : cases) EXPECT_EQ(FormatCurrency(c.value, kUs), c.text);

  RegionalSettings euro = kUs;
  euro.currency_symbol = "EUR";
  euro.currency_format = 3;
  euro.negative_currency_format = 8;
  euro.thousands_separator = '.';
  euro.decimal_separator = ',';
  EXPECT_EQ(FormatCurrency(1234.5, euro), "1.234,50 EUR");
  EXPECT_EQ(FormatCurrency(-2, euro), "-2,00 EUR");
}

TEST(NumbersTest, NumberFixedAndGeneralForms) {
  EXPECT_EQ(FormatNumber(3.5, kUs), "3.50");
  EXPECT_EQ(FormatNumber(2.6666667, kUs), "2.67");
  EXPECT_EQ(FormatNumber(1234567, kUs), "1,234,567.00");
  EXPECT_EQ(FormatNumber(-1, kUs), "-1.00");
  EXPECT_EQ(FormatFixed(4, kUs), "4.00");
  EXPECT_EQ(FormatFixed(1234567.125, kUs), "1234567.13");
  EXPECT_EQ(FormatFixed(-0.5, kUs), "-0.50");

  struct Case {
    double value;
    const char* text;
  };
  const Case general[] = {{0, "0"},
                          {3, "3"},
                          {120, "120"},
                          {1.5, "1.5"},
                          {-2.25, "-2.25"},
                          {1e15, "1E15"},
                          {123456789012345.0, "123456789012345"},
                          {static_cast<double>(0.1f), "0.100000001490116"},
                          {0.0001, "0.0001"},
                          {0.00001, "0.00001"},
                          {0.000001, "1E-6"},
                          {1.5e-7, "1.5E-7"}};
  for (const Case& c : general) EXPECT_EQ(FormatGeneral(c.value, kUs), c.text);
}

}  // namespace
}  // namespace tolvane
