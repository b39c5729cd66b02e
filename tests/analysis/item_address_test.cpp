#include "analysis/item_address.h"

#include <gtest/gtest.h>

#include <string>

#include "app/site_choice.h"
#include "rows_fixture.h"

namespace tolvane::testing {
namespace {

constexpr const char* kPrefix =
    "http://cgi.ebay.com/ws/eBayISAPI.dll?MfcISAPICommand=ViewItem&item=";

// Catches a changed path or key, an item number that is altered, and
// hostile texts that add keys, cut the address short or break out of it.
TEST(ItemAddressTest, PlainNumbersStayAndOtherBytesAreEncoded) {
  struct Case {
    std::string item;
    std::string tail;
  };
  const Case cases[] = {{"1234567890", "1234567890"},
                        {"", ""},
                        {"Aa0-9.Zz_~", "Aa0-9.Zz_~"},
                        {"12 34", "12%2034"},
                        {"1&cmd=del", "1%26cmd%3Ddel"},
                        {"1#frag", "1%23frag"},
                        {"\"quoted\"", "%22quoted%22"},
                        {"'x'", "%27x%27"},
                        {"50%", "50%25"},
                        {"a\r\nb\tc", "a%0D%0Ab%09c"},
                        {std::string("a\0b", 3), "a%00b"},
                        {"caf\xE9", "caf%E9"},
                        {"\x7F", "%7F"},
                        {"1;2|3`4<5>", "1%3B2%7C3%604%3C5%3E"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ItemPageAddress("cgi.ebay.com", c.item), kPrefix + c.tail);
  }
}

// Catches a double click that opens the wrong row, opens something below
// the last row, goes to a host other than the item-page host, and a failed
// open that goes unreported or reports the wrong text.
TEST(ItemAddressTest, DoubleClickOpensTheRowUnderThePointer) {
  struct Case {
    std::optional<int> row;
    std::vector<std::string> opened;
    bool shell_works = true;
  };
  const Case cases[] = {{1, {std::string(kPrefix) + "2222222222"}},
                        {0, {std::string(kPrefix) + "1111111111"}},
                        {std::nullopt, {}},
                        {2, {}},
                        {-1, {}},
                        {0, {std::string(kPrefix) + "1111111111"}, false}};
  for (const Case& c : cases) {
    RowsFixture t;
    t.Add("1111111111", "$1.00");
    t.Add("2222222222", "$2.00");
    t.f.grid_view.row = c.row;
    t.f.shell.succeed = c.shell_works;
    t.f.Dispatch([&] { t.w.ListView1Click(Sender{"ListView1"}); });
    EXPECT_EQ(t.f.shell.opened, c.opened);
    ASSERT_EQ(t.f.message_box.shown.size(), c.shell_works ? 0u : 1u);
    if (!c.shell_works) {
      EXPECT_EQ(t.f.message_box.shown[0].text, "Encountered Error 454-50.");
    }
  }
}

// Catches a row of today's site sent to the classic item page (which no
// longer answers), a marketplace other than the chosen one, and an item
// text that escapes the path.
TEST(ItemAddressTest, DatedRowsOpenTheirPageOnTheMarketplace) {
  RowsFixture t;
  t.w.AddItem({"1111111111", "Lamp", "-", "$1.00", "Mar-07-2026"});
  t.w.AddItem({"22/../2", "Lamp", "3", "$2.00", "Mar-07-2026 14:03"});
  StoreSiteChoice(t.f.preferences, {Site::kSoldListings, 1});
  for (const int row : {0, 1}) {
    t.f.grid_view.row = row;
    t.f.Dispatch([&] { t.w.ListView1Click(Sender{"ListView1"}); });
  }
  EXPECT_EQ(t.f.shell.opened, (std::vector<std::string>{
                                  "https://www.ebay.co.uk/itm/1111111111",
                                  "https://www.ebay.co.uk/itm/22%2F..%2F2"}));
}

}  // namespace
}  // namespace tolvane::testing
