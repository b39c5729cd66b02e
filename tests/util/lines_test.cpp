#include "util/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane {
namespace {

// Catches a break of either kind lost or doubled (CR LF as two breaks), an
// empty line dropped, and a memo that breaks its lines where the desktop's
// memo would not.
TEST(LinesTest, SplitLinesLikeAStringList) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitLines(""), V{});
  EXPECT_EQ(SplitLines("a"), V{"a"});
  EXPECT_EQ(SplitLines("a\r\n"), V{"a"});
  EXPECT_EQ(SplitLines("a\r\nb"), (V{"a", "b"}));
  EXPECT_EQ(SplitLines("a\n\nb\r"), (V{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\r\n\r\n"), (V{"", ""}));
  EXPECT_EQ(MemoLinesOf("\n\nnote\n\n"), (V{"", "", "note", "", ""}));
  EXPECT_EQ(MemoLinesOf("plain"), V{"plain"});
  EXPECT_EQ(MemoLinesOf(""), V{""});
  EXPECT_EQ(MemoEntryLines("a\r\n\nb\r\r\n"), (V{"a", "\nb\r", ""}));
  EXPECT_EQ(MemoEntryLines(""), V{""});
}

}  // namespace
}  // namespace tolvane
