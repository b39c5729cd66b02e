#include "retrieval/search_url.h"

#include <gtest/gtest.h>

#include <string>

#include "app/site_choice.h"
#include "fakes/fakes.h"

namespace tolvane {
namespace {

// Catches a wrong step order (a literal plus lost or double-escaped), a
// missing or extra escape, trimming that touches inner blanks, and bytes
// that get percent-encoded when they must pass unchanged.
TEST(SearchUrlTest, EncodesTheExpressionStepByStep) {
  // Each expression and its encoding.
  const std::pair<std::string, std::string> cases[] = {
      {"  brass lamp (art deco, 1930) \"green shade\" -plastic +signed  ",
       "brass+lamp+%28art+deco%2C+1930%29+%22green+shade%22+-plastic+%"
       "2Bsigned"},
      {"", ""},
      {" \t\r\n ", ""},
      {"+signed lamp", "+signed+lamp"},
      {"a  +b ++c", "a++%2Bb+%2B+c"},
      {"x+y", "x+y"},
      // The blank before the plus is trimmed away first, so it stays a plus.
      {" +a", "+a"},
      {"a \"+b\"", "a+%22+b%22"},
      {"a +\"b\"", "a+%2B%22b%22"},
      {"(a,b)", "%28a%2Cb%29"},
      {"\x01\nlamp\r\n", "lamp"},
      {"a\tb", "a\tb"},
      {"-*&#%=?/", "-*&#%=?/"},
      {"caf\xe9 \xff", "caf\xe9+\xff"},
      {"%2B %22", "%2B+%22"}};
  for (const auto& [expression, encoded] : cases)
    EXPECT_EQ(EncodeSearchExpression(expression), encoded)
        << "expression [" << expression << "]";
}

// Catches a key out of place, a changed fixed value, and an offset written
// with grouping, padding or in the wrong spot.
TEST(SearchUrlTest, JoinsServiceKeysAndOffset) {
  EXPECT_EQ(
      SearchURL(
          "http://search-completed.ebay.com",
          "  brass lamp (art deco, 1930) \"green shade\" -plastic +signed  ",
          100),
      "http://search-completed.ebay.com/search/search.dll?GetResult&query="
      "brass+lamp+%28art+deco%2C+1930%29+%22green+shade%22+-plastic+%2Bsigned"
      "&ht=1&combine=y&SortProperty=MetaEndSort&st=2&skip=100");
  EXPECT_EQ(SearchURL("http://127.0.0.1:8080", "   ", 0),
            "http://127.0.0.1:8080/search/search.dll?GetResult&query=&ht=1&"
            "combine=y&SortProperty=MetaEndSort&st=2&skip=0");
  EXPECT_TRUE(SearchURL("http://h", "lamp", 100000).ends_with("&skip=100000"));
}

// Catches an address built from a stale copy of the search box or from a
// hard-wired host instead of the configured one.
TEST(SearchUrlTest, MainWindowReadsTheSearchBoxAtEachCall) {
  fakes::FakeApp f;
  StoreSiteChoice(f.preferences, {Site::kClassic});
  f.EdtQuery.Type("old lamp");
  const std::string prefix = f.FrmPrice->Hosts().search_service +
                             "/search/search.dll?GetResult&query=";
  EXPECT_EQ(f.FrmPrice->BuildSearchURL(0).rfind(prefix + "old+lamp&", 0), 0u);
  f.EdtQuery.Type("new (lamp)");
  const std::string url = f.FrmPrice->BuildSearchURL(50);
  EXPECT_EQ(url.rfind(prefix + "new+%28lamp%29&", 0), 0u) << url;
  EXPECT_TRUE(url.ends_with("&skip=50")) << url;
}

// Catches an expression sent otherwise than a browser's form sends it
// (bytes above 127, "+", "&" or "#" left bare would change the search or cut
// the address), a page number that does not follow the offset in steps of
// 50, a key out of place, and the stored marketplace or TOLVANE_MARKETPLACE
// not used.
TEST(SearchUrlTest, SoldAddressIsFormEncodedAndNumbersPagesFromOffsets) {
  const std::string keys = "&LH_Sold=1&LH_Complete=1&_sop=13&_ipg=50&_pgn=";
  const struct {
    std::string expression;
    int offset;
    std::string query;
    std::string page;
  } cases[] = {
      {"  brass lamp  ", 0, "brass+lamp", "1"},
      {"lamp (art deco, 1930) \"green\" -plastic +signed", 49,
       "lamp+%28art+deco%2C+1930%29+%22green%22+-plastic+%2Bsigned", "1"},
      {"caf\xC3\xA9 a&b=c#d%e/f?g*h_i.j~k", 50,
       "caf%C3%A9+a%26b%3Dc%23d%25e%2Ff%3Fg*h_i.j%7Ek", "2"},
      {"a\tb", 250, "a%09b", "6"},
      {"", 100, "", "3"}};
  for (const auto& c : cases) {
    EXPECT_EQ(SoldSearchURL("https://www.ebay.com", c.expression, c.offset),
              "https://www.ebay.com/sch/i.html?_nkw=" + c.query + keys + c.page)
        << c.expression;
  }
  fakes::FakeApp f;
  f.EdtQuery.Type("lamp");
  EXPECT_EQ(f.FrmPrice->BuildSearchURL(0),
            "https://www.ebay.com/sch/i.html?_nkw=lamp" + keys + "1");
  StoreSiteChoice(f.preferences, {Site::kSoldListings, 2});
  EXPECT_EQ(f.FrmPrice->BuildSearchURL(100),
            "https://www.ebay.de/sch/i.html?_nkw=lamp" + keys + "3");
  HostConfig hosts;
  // A choice out of the list's range never reaches past its ends.
  const std::pair<int, std::string> ends[] = {
      {-1, "www.ebay.com"}, {4, "www.ebay.com.au"}, {5, "www.ebay.com"}};
  for (const auto& [index, host] : ends) {
    EXPECT_EQ(MarketplaceAddress(hosts, {Site::kSoldListings, index}),
              "https://" + host);
  }
  hosts.marketplace = "http://127.0.0.1:9";
  EXPECT_EQ(SearchAddress(hosts, {Site::kSoldListings, 2}, "lamp", 0),
            "http://127.0.0.1:9/sch/i.html?_nkw=lamp" + keys + "1");
}

// Catches a next link to another host followed (a saved page's link while
// the program asks a local service, or a look-alike host), a path not put
// on the marketplace, and a link with blanks or control bytes taken as it
// is.
TEST(SearchUrlTest, NextLinksAreFollowedOnTheMarketplaceOnly) {
  const std::string m = "https://www.ebay.com";
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"/sch/i.html?_pgn=2", m + "/sch/i.html?_pgn=2"},
      {"HTTPS://WWW.EBAY.COM/sch/i.html?_pgn=2",
       "HTTPS://WWW.EBAY.COM/sch/i.html?_pgn=2"},
      {"//www.ebay.com/sch/x", m + "/sch/x"},
      {"https://www.ebay.com?_pgn=2", m + "?_pgn=2"},
      {"https://www.ebay.com", m},
      {"https://www.ebay.co.uk/sch/x", std::nullopt},
      {"https://www.ebay.com.example/sch/x", std::nullopt},
      {"http://www.ebay.com/sch/x", std::nullopt},
      {"xttps://www.ebay.com/sch/x", std::nullopt},
      {"i.html?_pgn=2", std::nullopt},
      {"/sch/i.html?_nkw=a b", std::nullopt},
      {"/sch/\n", std::nullopt},
      {"", std::nullopt}};
  for (const auto& [href, address] : cases) {
    EXPECT_EQ(NextPageAddress(href, m), address) << href;
  }
}

}  // namespace
}  // namespace tolvane
