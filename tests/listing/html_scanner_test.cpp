#include "listing/html_scanner.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane {
namespace {

// The tokens of a page, written back: tags with their attributes as
// name=value, texts in brackets.
std::string Tokens(std::string_view page) {
  HtmlScanner scanner(page);
  HtmlToken token;
  std::string out;
  while (scanner.Next(token)) {
    if (token.kind == HtmlToken::Kind::kText) {
      out += "[" + std::string(token.text) + "]";
      continue;
    }
    out += token.kind == HtmlToken::Kind::kEndTag ? "</" : "<";
    out += token.name;
    for (const HtmlAttribute& attribute : token.attributes) {
      out += " " + std::string(attribute.name) + "=" +
             std::string(attribute.value);
    }
    out += ">";
  }
  return out;
}

// Catches a tag, comment or script misread at the page's end or in odd
// quoting, where a reader would lose a card or read past the page.
TEST(HtmlScannerTest, CutsOddMarkupAsABrowserDoes) {
  const std::pair<const char*, const char*> cases[] = {
      {"a<", "[a][<]"},
      {"<3 x", "[<][3 x]"},
      {"<b c ", ""},
      {"<b c = ", ""},
      {"<b c='d", ""},
      {"x</", "[x]"},
      {"<!-- x", ""},
      {"<!-->a<!--->b<!-- -- -->c", "[a][b][c]"},
      {"<!DOCTYPE html><?xml x?></ x>d</>e", "[d][e]"},
      {"<script>a</b></scripts></script/>z", "<script></script>[z]"},
      {"<STYLE>a</style\f>z<script>x</script", "<style></style>[z]<script>"},
      {"<title>a<b></TITLE>c", "<title>[a<b>]</title>[c]"},
      {"<title>a</title", "<title>[a]"},
      {"<textarea></textarea>", "<textarea></textarea>"},
      {"<A\nHREF = 1 =x y= 'q>\"' z=a\"b w/>",
       "<a HREF=1 =x= y=q>\" z=a\"b w=>"},
      {"<p/class=x>", "<p class=x>"},
      {"<z></Z>", "<z></z>"},
      {"</DIV class='>'>", "</div class=>>"},
  };
  for (const auto& [page, tokens] : cases) {
    EXPECT_EQ(Tokens(page), tokens) << page;
  }
}

}  // namespace
}  // namespace tolvane
