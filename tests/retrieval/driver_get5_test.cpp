#include <string>
#include <vector>

#include "driver_fixture.h"

namespace tolvane {
namespace {

struct Get5EndCase {
  const char* what;
  const char* control;  // either Get 5 control starts one
  int total;            // auctions the site finds
  int pages_before;     // plain Gets before the Get 5
  bool retype;          // the text retyped after them, the offset back at 0
  bool time_out;        // the first page arrives incomplete and the wait ends
  int first_skip;       // the pages requested, 50 auctions apart
  int pages;
};

class Get5EndTest : public DriverTest,
                    public ::testing::WithParamInterface<Get5EndCase> {};

// A Get 5 that asks for page after page past the site's last one, or goes on
// after a timeout, never ends; one that stops early while the site has more
// loses the pages duplicates made up for; five full pages from the current
// offset must end it. Wherever it ends, the offset stays at its last page and
// the busy window closes.
TEST_P(Get5EndTest, EndsAtTheLastPageOrATimeout) {
  const Get5EndCase& c = GetParam();
  SCOPED_TRACE(c.what);
  total_ = c.total;
  for (int i = 0; i < c.pages_before; ++i) {
    Click("SpdBtnSearch");
    ServeRequested();
  }
  if (c.retype) {
    f.EdtQuery.Type("");
    f.EdtQuery.Type(kExpression);
  }
  Click(c.control);
  std::vector<int> skips{RequestedSkip()};
  if (c.time_out) {
    // The part that came links a next page, yet the timeout ends the run.
    f.MiniBro.Complete(FreshPage(0, false));
    f.TmrTimeout.Fire();
  } else {
    skips = ServeWhileWaiting(20);
  }
  std::vector<int> expected;
  for (int i = 0; i < c.pages; ++i) expected.push_back(c.first_skip + 50 * i);
  EXPECT_EQ(skips, expected);
  EXPECT_FALSE(f.FrmPrice->Get5Running());
  EXPECT_FALSE(f.FrmPrice->AwaitingPage());
  EXPECT_FALSE(f.busy_form.visible);
  EXPECT_FALSE(f.TmrTimeout.enabled);
  EXPECT_EQ(f.FrmPrice->PageOffset(), expected.back());
  EXPECT_EQ(Pops(), c.pages_before + c.pages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Get5EndTest,
    ::testing::Values(
        Get5EndCase{"no results", "SpdBtnGet5", 0, 0, true, false, 0, 1},
        Get5EndCase{"three pages", "Get51", 120, 0, true, false, 0, 3},
        Get5EndCase{"timeout", "SpdBtnGet5", 480, 0, true, true, 0, 1},
        Get5EndCase{"duplicates", "SpdBtnGet5", 480, 2, true, false, 0, 7},
        Get5EndCase{"five full pages", "Get51", 480, 2, false, false, 100, 5}));

// Typing during a Get 5 starts the offset again; the awaited page's Finish
// then moves it to the second page of the new text.
TEST_F(DriverTest, TypingDuringGet5RestartsTheOffset) {
  Click("SpdBtnGet5");
  ServeRequested();
  EXPECT_EQ(RequestedSkip(), 50);
  f.EdtQuery.Type("copper kettle");
  EXPECT_EQ(f.FrmPrice->PageOffset(), 0);
  ServeRequested();
  EXPECT_EQ(RequestedSkip(), 50);
  EXPECT_TRUE(f.FrmPrice->Get5Running());
}

}  // namespace
}  // namespace tolvane
