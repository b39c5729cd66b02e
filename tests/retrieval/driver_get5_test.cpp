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
  EXPECT_FALSE(f.FrmPrice->Get5Running());
  EXPECT_FALSE(f.busy_form.visible);
  EXPECT_FALSE(f.TmrTimeout.enabled);
}

INSTANTIATE_TEST_SUITE_P(BothControls, Get5Test,
                         ::testing::Values("SpdBtnGet5", "Get51"));

// Pages that add nothing keep a Get 5 going, page after page, until a
// plain Get ends the run at the page then awaited.
TEST_F(DriverTest, Get5OfEmptyPagesRunsUntilAPlainGet) {
  total_ = 0;
  Click("SpdBtnGet5");
  std::vector<int> skips;
  for (int i = 0; i < 8; ++i) {
    skips.push_back(RequestedSkip());
    ServeRequested();
  }
  EXPECT_EQ(skips, (std::vector<int>{0, 50, 100, 150, 200, 250, 300, 350}));
  EXPECT_TRUE(f.FrmPrice->Get5Running());
  EXPECT_TRUE(f.FrmPrice->AwaitingPage());
  EXPECT_TRUE(f.busy_form.visible);

  Click("SpdBtnSearch");
  EXPECT_EQ(RequestedSkip(), 400);
  ServeRequested();
  EXPECT_FALSE(f.FrmPrice->AwaitingPage());
  EXPECT_FALSE(f.busy_form.visible);
  EXPECT_EQ(f.FrmPrice->PageOffset(), 450);
  EXPECT_EQ(Pops(), 9);
}

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

// After a timeout inside a Get 5 the next page is requested with the timer
// armed again, so a second stalled page also ends.
TEST_F(DriverTest, TimeoutInGet5ArmsTheNextPage) {
  Click("SpdBtnGet5");
  f.TmrTimeout.Fire();
  EXPECT_TRUE(f.FrmPrice->AwaitingPage());
  EXPECT_EQ(RequestedSkip(), 50);
  EXPECT_TRUE(f.TmrTimeout.enabled);
  f.TmrTimeout.Fire();
  EXPECT_EQ(RequestedSkip(), 100);
  EXPECT_TRUE(f.TmrTimeout.enabled);
  EXPECT_EQ(Pops(), 2);
}

}  // namespace
}  // namespace tolvane
