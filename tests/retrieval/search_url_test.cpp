#include "retrieval/search_url.h"

#include <gtest/gtest.h>

#include <string>

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
  f.EdtQuery.Type("old lamp");
  const std::string prefix = f.FrmPrice->Hosts().search_service +
                             "/search/search.dll?GetResult&query=";
  EXPECT_EQ(f.FrmPrice->BuildSearchURL(0).rfind(prefix + "old+lamp&", 0), 0u);
  f.EdtQuery.Type("new (lamp)");
  const std::string url = f.FrmPrice->BuildSearchURL(50);
  EXPECT_EQ(url.rfind(prefix + "new+%28lamp%29&", 0), 0u) << url;
  EXPECT_TRUE(url.ends_with("&skip=50")) << url;
}

}  // namespace
}  // namespace tolvane
