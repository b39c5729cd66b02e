#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "reports/csv_columns.h"
#include "reports/csv_values.h"
#include "reports_fixture.h"

namespace tolvane::testing {
namespace {

using Lines = std::vector<std::string>;

Lines Rows(const fakes::FakeApp& f) {
  Lines rows;
  for (const ResultRow& row : f.FrmPrice->ListView1().Rows()) {
    rows.push_back(row.item + "|" + row.description + "|" + row.bids + "|" +
                   row.price + "|" + row.ended);
  }
  return rows;
}

// Runs Merge, or Import, on a file of this text named sold.csv.
void Read(fakes::FakeApp& f, const std::string& text, bool import = true) {
  TempFolder folder;
  WriteText(folder / "sold.csv", text);
  f.file_dialog.answers.push_back(folder / "sold.csv");
  f.Dispatch([&] {
    if (import) {
      f.FrmPrice->ImportCSVFileFromGrid1Click(Sender{"SpdBtnCSVIn"});
    } else {
      f.FrmPrice->MergeCSVFileWithCurrentGridResults1Click(
          Sender{"SpeedButton3"});
    }
  });
}

// The columns found, by field index ("-" for none), as item, title, price,
// bids, end date, currency; then the delimiter, the price column's
// currency and the first data line.
std::string Show(const std::optional<CsvHeader>& header) {
  if (!header) return "none";
  std::string out;
  for (const auto& at : header->columns.at) {
    out += at ? std::to_string(*at) : "-";
  }
  return out + " " + (header->delimiter == '\t' ? 'T' : header->delimiter) +
         " " + header->columns.currency + " " +
         std::to_string(header->data_line);
}

// Catches a listed name not recognised in capitals or with underscores for
// blanks, and a column that takes a later name of its list over an earlier
// one (the sale amount over the total, "date" over "sold date").
TEST(CsvHeaderTest, EveryListedNameIsItsColumnAndTheEarliestWins) {
  const CsvColumn kColumns[] = {CsvColumn::kItem, CsvColumn::kTitle,
                                CsvColumn::kPrice, CsvColumn::kBids,
                                CsvColumn::kEnded};
  for (const CsvColumn column : kColumns) {
    const auto names = CsvColumnNames(column);
    // The other column a header needs beside this one.
    const std::string other =
        column == CsvColumn::kItem ? "Sold Price" : "Item Number";
    for (const char* name : names) {
      std::string shouted = name;
      for (char& c : shouted)
        c = c == ' ' ? '_' : static_cast<char>(toupper(c));
      const auto header = FindCsvHeader(other + "," + shouted + "\n");
      ASSERT_TRUE(header) << name;
      EXPECT_EQ(header->columns[column], 1u) << name;
    }
    std::string reversed;
    for (std::size_t i = names.size(); i-- > 0;) {
      reversed += std::string(names[i]) + ",";
    }
    const auto header = FindCsvHeader(reversed + other);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->columns[column], names.size() - 1) << names[0];
  }
}

// Catches a delimiter not taken from the header line, a byte-order mark or
// quoted names that hide the first column, preamble lines that stop the
// search or count wrongly, a currency in brackets or in the name lost or
// taken from a word that is none, and a file of the program's own form, or
// with a single known name, read as another tool's; a column named twice
// taken from its second name, and a tie between delimiters not settled by
// the first tried.
TEST(CsvHeaderTest, FindsTheHeaderInTheShapesExportsHave) {
  const std::pair<std::string, std::string> kCases[] = {
      {"title,sold_price_usd,ended_at,item_id\n1,2", "301-2- , USD 2"},
      {"\xEF\xBB\xBF\"Item Number\";\"Item Title\";Sold For;Sale Date\r\n",
       "012-3- ;  2"},
      {"ITEM ID\tName\tPrice (GBP)\tBids\tEnd Date\n", "01234- T GBP 2"},
      {"sep=,\nOrders report generated 2 October 2026\r\n,,,,\n"
       "Disclaimers: prices, items\n"
       "Item number,Item title,Total price,Sold For,Sale date,Currency\n",
       "013-45 ,  6"},
      {"Listing ID,Sold Price [$],Bid count", "0-12-- , USD 2"},
      {"Item number,Price (usd),Description", "021--- , USD 2"},
      {"Item number,Price (net)", "none"},
      {"\"1111111111\",\"Price\",\"$1.00\",\"3\",\"Jun-01 10:00\"\r\n", "none"},
      {"Title,Price,Date\n", "-01-2- ,  2"},
      {"Item ID,Price,Price", "0-1--- ,  2"},
      {"Item;Title;x,Price,Date", "--1-2- ,  2"},
  };
  for (const auto& [text, expected] : kCases) {
    EXPECT_EQ(Show(FindCsvHeader(text)), expected) << text;
  }
}

// Catches a price, date or bids form written other than in the grid's
// forms (a lost time, a zone that moves the clock, day and month swapped,
// a two-digit year of the wrong century, an impossible date accepted), a
// quoted value or title not unquoted or kept on two lines, and rows that do
// not come back whole when exported and imported again.
TEST(CsvHeaderTest, ValueFormsBecomeTheGridsTexts) {
  // The file's price, end date and bids; the grid's bids, price and ended.
  const std::pair<std::string, std::string> kCases[] = {
      {"1433.66,2026-09-18T14:03:00Z,", "-|$1,433.66|Sep-18-2026 14:03"},
      {"$433.66,2026-09-18,3", "3|$433.66|Sep-18-2026"},
      {"US $12.00,2026-09-18 14:03:00,x", "-|$12.00|Sep-18-2026 14:03"},
      {"\"$1,433.66\",2026-09-18T23:59:59.5+02:00,0",
       "0|$1,433.66|Sep-18-2026 23:59"},
      {"12.5,\"Sep 18, 2026\",12", "12|$12.50|Sep-18-2026"},
      {"1234567,18 Sep 2026,", "-|$1,234567.00|Sep-18-2026"},
      {"5,Jul-25-26,", "-|$5.00|Jul-25-2026"},
      {"5,Jul-25-26 16:00:01 PDT,", "-|$5.00|Jul-25-2026 16:00"},
      {"5,09/08/2026,", "-|$5.00|Sep-08-2026"},
      {"5,08.09.2026 4:03 PM,", "-|$5.00|Sep-08-2026 16:03"},
      {"5,\"Sept. 8, 2026, 12:30 AM\",", "-|$5.00|Sep-08-2026 00:30"},
      {"5,M\xC3\xA4r 3 2026 00:00,", "-|$5.00|Mar-03-2026 00:00"},
      {"5,18-Sep-26 12:59 pm,", "-|$5.00|Sep-18-2026 12:59"},
      {"5,18-Sep-26 1:59 pm,", "-|$5.00|Sep-18-2026 13:59"},
      {"5,18-Sep-26 13:59 PM,", "-|$5.00|-"},
      {"5,Sep 18 2026 14:03Z,", "-|$5.00|Sep-18-2026 14:03"},
      {"007.5,,", "-|$7.50|-"},
      {"\"1,433\",,", "-|$1,433.00|-"},
      {"\"1,43\",,", "-|$1.43|-"},
      {"5,2026-02-30,", "-|$5.00|-"},
      {"5,2026-09-18 24:00,", "-|$5.00|-"},
      {"5,2026/09-18,", "-|$5.00|-"},
      {"5,13/18/2026,", "-|$5.00|-"},
      {"5,2026-09-18 14:03 to 15:00,", "-|$5.00|-"},
      {"5,2026-09-18 14:03 +,", "-|$5.00|-"},
      {"5,18 Sep 2026 soon,", "-|$5.00|-"},
      {"5,\"Sep 18, 2026 14:60\",", "-|$5.00|-"},
      {"1.234,,", "-|$1,234.00|-"},
  };
  std::string file = "Item ID,Title,Price,End Date,Bids\n";
  Lines expected;
  for (std::size_t i = 0; i < std::size(kCases); ++i) {
    const std::string item = std::to_string(100 + i);
    file += "\t" + item + " ,\" Lamp\r\nbrass \"," + kCases[i].first + "\n";
    expected.push_back(item + "|Lamp  brass|" + kCases[i].second);
  }
  fakes::FakeApp f;
  Read(f, file);
  EXPECT_EQ(Rows(f), expected);
  ASSERT_EQ(f.message_box.shown.size(), 1u);
  EXPECT_EQ(f.message_box.shown[0].text,
            "Read 28 rows from sold.csv. 9 rows without a readable end date "
            "show \"-\" (lines 30, 40, 42, 44, 46 and 4 more).");
  // Named by the second row, the dollars are the grid's.
  EXPECT_EQ(f.FrmPrice->ListView1().Currency(), "USD");
  TempFolder folder;
  f.file_dialog.answers.push_back(folder / "grid.csv");
  f.Dispatch(
      [&] { f.FrmPrice->CreateCSVFileFromGrid1Click(Sender{"SpdBtnCSVOut"}); });
  Read(f, ReadText(folder / "grid.csv"));
  EXPECT_EQ(Rows(f), expected);
}

// Catches a shortcut for the data sets' forms that reads a price otherwise
// than ReadMoney does (a decimal comma taken for a group, leading zeros
// kept, a misplaced group comma accepted), or a date or time otherwise than
// the general reading (a bad date, hour, minute, second or separator let
// through), or that no longer takes the forms it is there for.
TEST(CsvHeaderTest, ShortcutsReadAsTheGeneralReadings) {
  const std::pair<const char*, bool> kPrices[] = {
      {"1433.66", true},       {"$1,433.66", true},
      {"12.5", true},          {"007", true},
      {"$0.99", true},         {"1,433", true},
      {"12,345,678.90", true}, {"1,43", false},
      {",433", false},         {"1234,567", false},
      {"1,2345", false},       {"1,,433", false},
      {"1.", false},           {".5", false},
      {"1.234", false},        {"$", false},
      {"1.2.3", false},        {"US $12.00", false},
      {"1,2a4", false},        {"a,234", false}};
  for (const auto& [text, taken] : kPrices) {
    const std::optional<Money> plain = ReadPlainPrice(text);
    EXPECT_EQ(plain.has_value(), taken) << text;
    EXPECT_EQ(plain, plain ? ReadMoney(text, "").money : std::nullopt) << text;
  }
  const std::pair<const char*, const char*> kDates[] = {
      {"2026-09-18", "Sep-18-2026"},
      {"2026-09-18T14:03:00Z", "Sep-18-2026 14:03"},
      {"2026-09-18 00:00:00", "Sep-18-2026 00:00"},
      {"2026-09-18T23:59:60", "Sep-18-2026 23:59"},
      {"2026-09-18T14:03Z", "Sep-18-2026 14:03"},
      {"2026-02-29", ""},
      {"2026-09-18Z", ""},
      {"2026/09-18", ""},
      {"2026-09-18 24:00", ""},
      {"2026-09-18 14:60", ""},
      {"2026-09-18 14:03:61", ""},
      {"2026-09-18x14:03", ""},
      {"2026-09-18 14-03", ""},
      {"2026-09-18 14:03x00", ""}};
  for (const auto& [text, ended] : kDates) {
    const std::optional<DatedEnd> end = ReadIsoSaleDate(text);
    EXPECT_EQ(end ? DatedEndText(*end) : "", ended) << text;
  }
}

// Catches a reason missing from the report or told in other words, line
// numbers that do not count the header, blank lines or lines inside quotes,
// notes and totals after the data counted as rows, more than five line
// numbers listed, and a report that is not shown.
TEST(CsvHeaderTest, ReportsEveryRowLeftOutWithItsReasonAndLines) {
  const std::pair<std::string, std::string> kCases[] = {
      {"Title,Item number,Price,Currency\n"
       "\"two\nlines\",1,$5.00,USD\n"
       "b,,$5.00,\n"
       "c,2,,USD\n"
       "d,3,$1 to $5,USD\n"
       "e,4,($18.42),USD\n"
       "f,5,abc,USD\n"
       "g,6,\xA3"
       "5,GBP\n"
       "h,1,$6,USD\n"
       "i,7\n"
       "\n"
       "83 record(s) downloaded,,,\n",
       "Read 1 row from sold.csv; left out 8: no item number (line 4), no "
       "price (lines 5, 11), a price range (line 6), a negative amount (line "
       "7), "
       "an unreadable price (line 8), another currency (line 9), a duplicate "
       "item (line 10)."},
      {"Item,Price\n1,\n2,\n3,\n4,\n5,\n6,-1\n7,-2\n",
       "Read 0 rows from sold.csv; left out 7: no price (lines 2, 3, 4, 5, 6), "
       "a negative amount (lines 7, 8)."},
      {"Item,Price\n1,.5\n",
       "Read 0 rows from sold.csv; left out 1: an unreadable price (line 2)."},
      {"Item,Price,Date\n1,$5,soon\n",
       "Read 1 row from sold.csv. 1 row without a readable end date shows "
       "\"-\" (line 2)."},
  };
  for (const auto& [text, report] : kCases) {
    fakes::FakeApp f;
    Read(f, text);
    ASSERT_EQ(f.message_box.shown.size(), 1u);
    EXPECT_EQ(f.message_box.shown[0].text, report);
    EXPECT_EQ(f.message_box.shown[0].buttons, MbButtons::kOk);
  }
}

// Catches a file without its price or item number column, or in another
// currency than the grid's rows, that adds rows or (on Import) empties the
// grid before it is refused, or is refused in other words; pounds named
// only by the price column's name that an emptied grid does not take; and
// amounts that name no currency giving the grid one.
TEST(CsvHeaderTest, RefusesAFileItCannotJoinToTheGrid) {
  const std::string kGbp = "Item,Price (GBP)\n7,5.00\n";
  const std::string kItemNames =
      "(names looked for: item number, item id, item_id, itemId, ebay item "
      "id, listing id, item).";
  // The file, Import or Merge, the message, the row added, the currency.
  const std::tuple<std::string, bool, std::string, std::string, std::string>
      kCases[] = {
          {"Title,Sold For\nLamp,$5\n", true,
           "sold.csv has no item number column " + kItemNames, "", ""},
          {"Title,Bids\nLamp,3\n", false,
           "sold.csv has no price column (names looked for: sold price, "
           "sold_price_usd, sold for, sale price, price, total price, current "
           "price, item sales). sold.csv has no item number column " +
               kItemNames,
           "", ""},
          {kGbp, false,
           "sold.csv is in pounds sterling (GBP), but the rows in the grid are "
           "in US dollars (USD). A grid holds one currency: choose New Search "
           "before reading it.",
           "", ""},
          {kGbp, true, "Read 1 row from sold.csv.", "7||-|5.00|-", "GBP"},
          {"Item,Price\n7,5.00\n", false, "Read 1 row from sold.csv.",
           "7||-|$5.00|-", ""},
      };
  for (const auto& [text, import, message, added, currency] : kCases) {
    fakes::FakeApp f;
    PutRow(f, {"1111111111", "Tin lamp", "-", "$3.00", "e"});
    Read(f, text, import);
    ASSERT_EQ(f.message_box.shown.size(), 1u) << text;
    EXPECT_EQ(f.message_box.shown[0].text, message);
    Lines rows;
    if (!import || added.empty())
      rows.push_back("1111111111|Tin lamp|-|$3.00|e");
    if (!added.empty()) rows.push_back(added);
    EXPECT_EQ(Rows(f), rows) << text;
    EXPECT_EQ(f.FrmPrice->ListView1().Currency(), currency) << text;
  }
}

}  // namespace
}  // namespace tolvane::testing
