#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing/page_parser.h"

namespace tolvane {
namespace {

using namespace std::string_literals;

// One auction in the fewest characters the walk needs.
std::string Auction(const std::string& item, const std::string& title,
                    const std::string& price, const std::string& bids,
                    const std::string& ended) {
  return "<a href=\"/ws/eBayISAPI.dll?ViewItem&item=" + item + "\">" + title +
         "</a><font size=3>" + price + "</font><font size=3>" + bids +
         "</font><font size=3>" + ended + "</font>\r\n";
}

// The fields in the order the export writes them.
ParsedItem Rec(std::string item, std::string description, std::string price,
               std::string bids, std::string ended) {
  ParsedItem r;
  r.Item = std::move(item);
  r.Description = std::move(description);
  r.Price = std::move(price);
  r.Bids = std::move(bids);
  r.Ended = std::move(ended);
  return r;
}

struct WalkCase {
  std::string name;
  std::string page;
  std::vector<ParsedItem> want;
  bool next_page;
  std::string rest;
};

std::vector<ParsedItem> Walk(const std::string& page, PageWalkResult& result) {
  std::vector<ParsedItem> items;
  ParsedItem current;
  result = WalkAuctions(page, current,
                        [&](const ParsedItem& item) { items.push_back(item); });
  return items;
}

// Catches the walk's end conditions and the record rules that the golden
// pages only show through the grid: the price never carried over from the
// previous auction, a text used up before the next-page link, the plain
// search stopping at a zero byte, and what is left of the text afterwards.
TEST(PageWalkTest, RecordsNextPageAndRest) {
  const std::string a1 =
      Auction("3012345678", "Leica M3", "$1,234.56", "12", "Feb-17 21:23");
  const WalkCase cases[] = {
      {"no auctions but a next link",
       "<html>Nothing found. <a href=\"x\">Next ></a> top of page",
       {},
       true,
       "<html>Nothing found. <a href=\"x\"V top of page"},
      {"next link written with an entity",
       "<a href=\"x\">Next &gt;</a>",
       {},
       false,
       "<a href=\"x\">Next &gt;</a>"},
      {"one auction, then the next link",
       a1 + "<a href=\"x\">Next ></a>\r\n",
       {Rec("3012345678", "Leica M3", "$1,234.56", "12", "Feb-17 21:23")},
       true,
       // The text stays at the end-time cell's placeholder.
       ".Feb-17 21:23.\r\n<a href=\"x\"V\r\n"},
      {"no price left for the second auction",
       a1 + Auction("3012345679", "Elmar", "EUR 5.50", "3", "Feb-17 21:25"),
       {Rec("3012345678", "Leica M3", "$1,234.56", "12", "Feb-17 21:23"),
        Rec("3012345679", "Elmar", "", "EUR 5.50", "3")},
       false,
       ".3.<font size=3>Feb-17 21:25</font>\r\n"},
      {"a zero byte hides the price from the plain search",
       Auction("3012345678", "Leica M3", "\0$5.00"s, "1", "Feb-17 21:23"),
       {Rec("3012345678", "Leica M3", "", "\0$5.00"s, "1")},
       false,
       ".1.<font size=3>Feb-17 21:23</font>\r\n"},
      {"no cells after the auction: the text is used up",
       "<a href=\"/ws/eBayISAPI.dll?ViewItem&item=3012345678\">Leica</a> "
       "$20.00</b> <FONT size=3>4</FONT> <a href=\"x\">Next ></a>",
       {Rec("3012345678", "Leica", "$20.00", "", "")},
       false,
       ""},
      {"a short item number keeps what follows it",
       Auction("1234567", "Leica", "$1.00", "-", "Feb-17 21:23"),
       {Rec("1234567>L", "Leica", "$1.00", "-", "Feb-17 21:23")},
       false,
       ".Feb-17 21:23.\r\n"},
  };
  for (const WalkCase& c : cases) {
    SCOPED_TRACE(c.name);
    PageWalkResult result;
    const std::vector<ParsedItem> got = Walk(c.page, result);
    ASSERT_EQ(got.size(), c.want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].Item, c.want[i].Item);
      EXPECT_EQ(got[i].Description, c.want[i].Description);
      EXPECT_EQ(got[i].Price, c.want[i].Price);
      EXPECT_EQ(got[i].Bids, c.want[i].Bids);
      EXPECT_EQ(got[i].Ended, c.want[i].Ended);
    }
    EXPECT_EQ(result.next_page, c.next_page);
    EXPECT_EQ(result.rest, c.rest);
  }
}

// Catches a head cut one character early or late: the list's link at
// character 20000 keeps the whole page, at 20001 the text starts 9
// characters before it.
TEST(PageWalkTest, HeadIsCutOnlyBeyondTwentyThousand) {
  for (const int at : {19999, 20000, 20001, 25000}) {
    SCOPED_TRACE(at);
    // One line; the CR LF that ends it counts in the text.
    const std::string whole =
        std::string(static_cast<std::size_t>(at - 1), 'h') + kCategoryLink +
        "=1\r\n";
    const std::string text = PageTextOf(whole);
    if (at <= kHeadLimit) {
      EXPECT_EQ(text, whole);
    } else {
      EXPECT_EQ(text, whole.substr(static_cast<std::size_t>(at - 10)));
      EXPECT_EQ(text.substr(0, 9), "hhhhhhhhh");
    }
  }
}

}  // namespace
}  // namespace tolvane
