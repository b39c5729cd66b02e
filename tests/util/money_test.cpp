#include "util/money.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// Price texts as pages and other tools' files write them, and the grid's
// Price form each becomes.
TEST(MoneyTest, ReadsPricesInTheirCurrencyAndWritesTheGridForm) {
  struct Case {
    const char* text;
    const char* currency;
    const char* grid;
  };
  const Case cases[] = {
      {"$1,433.66", "USD", "$1,433.66"},
      {"1433.66", "USD", "$1,433.66"},
      {"US $12.00", "USD", "$12.00"},
      {"12.5", "USD", "$12.50"},
      {"  $0.99 ", "USD", "$0.99"},
      {"$1,234,567.00", "USD", "$1,234567.00"},
      {"$123,456", "USD", "$123,456.00"},
      {"007", "USD", "$7.00"},
      {"\xC2\xA3"
       "68.90",
       "GBP", "68.90"},
      {"\xA3"
       "68.90",
       "GBP", "68.90"},
      {"EUR 1.049,00", "EUR", "1,049.00"},
      {"1\xC2\xA0"
       "049,00 \xE2\x82\xAC",
       "EUR", "1,049.00"},
      {"\x80 17,7", "EUR", "17.70"},
      {"C $55.00", "CAD", "55.00"},
      {"AU $12.00", "AUD", "12.00"},
      {"8,916 \xE5\x86\x86", "JPY", "8,916"},
      {"\xC2\xA5"
       "1,200",
       "JPY", "1,200"},
      {"CHF 1'200.50", "CHF", "1,200.50"},
      {"12.00 gbp", "GBP", "12.00"},
      {"\n$12.00\r\n", "USD", "$12.00"},
  };
  for (const Case& c : cases) {
    const MoneyReading reading = ReadMoney(c.text);
    ASSERT_TRUE(reading.money) << c.text;
    EXPECT_EQ(reading.problem, MoneyProblem::kNone);
    EXPECT_EQ(reading.money->currency, c.currency) << c.text;
    EXPECT_EQ(GridPriceText(*reading.money), c.grid) << c.text;
  }
  EXPECT_EQ(ReadMoney("12.00", "GBP").money->currency, "GBP");
}

TEST(MoneyTest, TellsWhyATextIsNoSalePrice) {
  const std::pair<const char*, MoneyProblem> cases[] = {
      {"", MoneyProblem::kMissing},
      {" \xC2\xA0 ", MoneyProblem::kMissing},
      {"$84.90 to $1,169.90", MoneyProblem::kRange},
      {"1 2", MoneyProblem::kRange},
      {"EUR 17,72 bis EUR 18,66", MoneyProblem::kRange},
      {"($18.42)", MoneyProblem::kNegative},
      {"-12.00", MoneyProblem::kNegative},
      {"$-3", MoneyProblem::kNegative},
      {"\xE2\x88\x92"
       "5.00",
       MoneyProblem::kNegative},
      {"N/A", MoneyProblem::kUnreadable},
      {"$", MoneyProblem::kUnreadable},
      {"Sold for $12", MoneyProblem::kUnreadable},
      {"$1,2", MoneyProblem::kNone},  // "1.2" with a decimal comma
      {"$1,23,456", MoneyProblem::kUnreadable},
      {"1.234.5", MoneyProblem::kUnreadable},
      {"1,234,56", MoneyProblem::kUnreadable},
      {"12345,678", MoneyProblem::kUnreadable},
      {"$12 USD EUR", MoneyProblem::kUnreadable},
      {"\xC2\xA3"
       "12 EUR",
       MoneyProblem::kUnreadable},
  };
  for (const auto& [text, problem] : cases) {
    const MoneyReading reading = ReadMoney(text);
    EXPECT_EQ(reading.problem, problem) << text;
    EXPECT_EQ(reading.money.has_value(), problem == MoneyProblem::kNone)
        << text;
  }
}

TEST(MoneyTest, CurrencyOfSymbolNamesCodesAndSymbols) {
  const std::pair<const char*, const char*> cases[] = {
      {"USD", "USD"},          {"usd", "USD"},      {"$", "USD"},
      {"C $", "CAD"},          {"AU$", "AUD"},      {"Eur", "EUR"},
      {"\xE2\x82\xAC", "EUR"}, {"\xC2\xA3", "GBP"}, {"sek", "SEK"}};
  for (const auto& [text, code] : cases)
    EXPECT_EQ(CurrencyOfSymbol(text), code);
  for (const char* other : {"", "US", "dollars", "$$", "12", "X1Z"})
    EXPECT_EQ(CurrencyOfSymbol(other), std::nullopt) << other;
}

// Figures in the user's own currency keep the user's settings; any other
// is written with its own symbol, never under the user's.
TEST(MoneyTest, SettingsForCurrencyShowTheCurrencyOfThePrices) {
  const RegionalSettings us = RegionalSettings::UnitedStates();
  EXPECT_EQ(SettingsForCurrency(us, "").currency_symbol, "$");
  EXPECT_EQ(SettingsForCurrency(us, "USD").currency_symbol, "$");
  const RegionalSettings gbp = SettingsForCurrency(us, "GBP");
  EXPECT_EQ(gbp.currency_symbol, "\xC2\xA3");
  EXPECT_EQ(gbp.currency_format, 0);
  EXPECT_EQ(gbp.decimal_separator, '.');
  const RegionalSettings chf = SettingsForCurrency(us, "CHF");
  EXPECT_EQ(chf.currency_symbol, "CHF");
  EXPECT_EQ(chf.currency_format, 2);
  RegionalSettings german = us;
  german.currency_code = "EUR";
  german.currency_symbol = "\xE2\x82\xAC";
  EXPECT_EQ(SettingsForCurrency(german, "USD").currency_symbol, "US $");
  EXPECT_EQ(SettingsForCurrency(german, "XYZ").currency_symbol, "XYZ");
  EXPECT_EQ(CurrencyName("GBP"), "pounds sterling (GBP)");
  EXPECT_EQ(CurrencyName("XYZ"), "XYZ");
  EXPECT_EQ(CurrencyConflictMessage("The page", "GBP", "USD"),
            "The page is in pounds sterling (GBP), but the rows in the grid "
            "are in US dollars (USD). A grid holds one currency: choose New "
            "Search before reading it.");
}

}  // namespace
}  // namespace tolvane
