#include <string>
#include <vector>

#include "driver_fixture.h"

namespace tolvane {
namespace {

class Get5Test : public DriverTest,
                 public ::testing::WithParamInterface<const char*> {};

// Both Get 5 controls fetch five full pages from the current offset, pop
// five times and leave the offset at the fifth page.
TEST_P(Get5Test, FullPagesEndAfterFiveRequests) {
  for (int i = 0; i < 2; ++i) {
    Click("SpdBtnSearch");
    ServeRequested();
  }
  ASSERT_EQ(f.FrmPrice->PageOffset(), 100);
  Click(GetParam());
  EXPECT_TRUE(f.FrmPrice->Get5Running());
  EXPECT_EQ(ServeWhileWaiting(20), (std::vector<int>{100, 150, 200, 250, 300}));
  EXPECT_EQ(Pops(), 2 + 5);
  EXPECT_EQ(f.FrmPrice->PageOffset(), 300);
  EXPECT_EQ(Rows(), 350);
}

INSTANTIATE_TEST_SUITE_P(BothControls, Get5Test,
                         ::testing::Values("SpdBtnGet5", "Get51"));

struct Get5EndCase {
  const char* what;
  int total;         // auctions the site finds
  int pages_before;  // plain Gets before the Get 5, the text then retyped
  bool time_out;     // the first page arrives incomplete and the wait ends
  std::vector<int> skips;
};

class Get5EndTest : public DriverTest,
                    public ::testing::WithParamInterface<Get5EndCase> {};

// A Get 5 that asks for page after page past the site's last one, or goes on
// after a timeout, never ends; one that stops early while the site has more
// loses the pages duplicates made up for. Wherever it ends, the offset stays
// at its last page and the busy window closes.
TEST_P(Get5EndTest, EndsAtTheLastPageOrATimeout) {
  const Get5EndCase& c = GetParam();
  SCOPED_TRACE(c.what);
  total_ = c.total;
  for (int i = 0; i < c.pages_before; ++i) {
    Click("SpdBtnSearch");
    ServeRequested();
  }
  f.EdtQuery.Type("");
  f.EdtQuery.Type(kExpression);
  Click("SpdBtnGet5");
  std::vector<int> skips{RequestedSkip()};
  if (c.time_out) {
    // The part that came links a next page, yet the timeout ends the run.
    f.MiniBro.Complete(FreshPage(0, false));
    f.TmrTimeout.Fire();
  } else {
    skips = ServeWhileWaiting(20);
  }
  EXPECT_EQ(skips, c.skips);
  EXPECT_FALSE(f.FrmPrice->Get5Running());
  EXPECT_FALSE(f.FrmPrice->AwaitingPage());
  EXPECT_FALSE(f.busy_form.visible);
  EXPECT_FALSE(f.TmrTimeout.enabled);
  EXPECT_EQ(f.FrmPrice->PageOffset(), c.skips.back());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Get5EndTest,
    ::testing::Values(
        Get5EndCase{"no results", 0, 0, false, {0}},
        Get5EndCase{"three pages", 120, 0, false, {0, 50, 100}},
        Get5EndCase{"timeout", 480, 0, true, {0}},
        Get5EndCase{
            "duplicates", 480, 2, false, {0, 50, 100, 150, 200, 250, 300}}));

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
