#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver_fixture.h"
#include "util/files.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

// Idle, Get: the page must be requested once, without history, with the
// timer armed from the options dialog and the busy window in front.
// Waiting, capture true: Stop, the page's rows, one pop, the offset moved
// on, Get next page enabled and the busy window closed.
TEST_F(DriverTest, GetFromIdleWaitsAndACapturedPageRunsTheWholeChain) {
  f.Edit1.text = "12";
  Click("SpdBtnSearch");
  EXPECT_TRUE(f.FrmPrice->AwaitingPage());
  ASSERT_EQ(f.MiniBro.navigations.size(), 1u);
  EXPECT_EQ(f.MiniBro.last_flags, kNavNoHistory);
  EXPECT_EQ(RequestedSkip(), 0);
  EXPECT_TRUE(f.TmrTimeout.enabled);
  EXPECT_EQ(f.TmrTimeout.interval, 12000);
  EXPECT_TRUE(f.busy_form.visible);
  EXPECT_GE(f.busy_form.repaints, 1);
  EXPECT_EQ(Pops(), 0);
  const std::string page = FreshPage(0);
  f.MiniBro.Complete(page);
  EXPECT_EQ(f.MiniBro.stops, 1);
  EXPECT_FALSE(f.FrmPrice->AwaitingPage());
  EXPECT_FALSE(f.TmrTimeout.enabled);
  EXPECT_EQ(Rows(), 50);
  EXPECT_EQ(f.sound.played, std::vector<std::string>{"sound01.wav"});
  EXPECT_EQ(f.FrmPrice->PageOffset(), 50);
  EXPECT_TRUE(f.SpdBtnGetNextData.enabled);
  EXPECT_FALSE(f.busy_form.visible);
  EXPECT_FALSE(f.MResultsLeft.lines.empty());
  EXPECT_EQ(ReadWholeFile("thisget.htm"), page);
}

// Waiting, capture false: an incomplete page, a reloaded page or a load
// without a document must leave the driver waiting, untouched.
TEST_F(DriverTest, RejectedCaptureKeepsWaiting) {
  Click("SpdBtnSearch");
  const std::string first = FreshPage(0);
  f.MiniBro.Complete(first);
  ASSERT_EQ(Rows(), 50);

  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"no top of page", FreshPage(50, false)},
      {"the page before again", first},
      {"no document", std::nullopt}};
  for (const auto& [what, document] : cases) {
    Click("SpdBtnSearch");
    const int stops = f.MiniBro.stops;
    f.MiniBro.document = document;
    f.MiniBro.on_complete();
    EXPECT_TRUE(f.FrmPrice->AwaitingPage()) << what;
    EXPECT_TRUE(f.TmrTimeout.enabled) << what;
    EXPECT_EQ(f.MiniBro.stops, stops) << what;
    EXPECT_EQ(Rows(), 50) << what;
    EXPECT_EQ(Pops(), 1) << what;
    EXPECT_TRUE(f.busy_form.visible) << what;
  }
}

// A timeout before any page arrived has no capture file to read: the
// command still finishes instead of failing, and Resume asks for the next
// page, like Get. A later timeout parses whatever the capture file holds
// (here the incomplete page saved during the wait) and ends with the timer
// off.
TEST_F(DriverTest, TimeoutParsesTheCaptureFileAsItIs) {
  Click("SpdBtnSearch");
  f.TmrTimeout.Fire();
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Pops(), 1);
  EXPECT_EQ(f.FrmPrice->PageOffset(), 50);
  EXPECT_TRUE(f.message_box.shown.empty());
  Resume();
  EXPECT_EQ(RequestedSkip(), 50);
  f.MiniBro.Complete(FreshPage(50, false));
  ASSERT_TRUE(f.FrmPrice->AwaitingPage());
  f.TmrTimeout.Fire();
  EXPECT_EQ(Rows(), 50);
  EXPECT_EQ(Pops(), 2);
  EXPECT_FALSE(f.TmrTimeout.enabled);
}

// Waiting, Get: the same offset again, and the timer keeps counting from
// the first request unless the timeout text changed meanwhile.
TEST_F(DriverTest, GetWhileWaitingRequestsTheSameOffsetAgain) {
  Click("SpdBtnSearch");
  Resume();
  ASSERT_EQ(f.MiniBro.navigations.size(), 2u);
  EXPECT_EQ(RequestedSkip(), 0);
  EXPECT_EQ(f.TmrTimeout.starts, 1);
  EXPECT_EQ(f.TmrTimeout.restarts, 0);
  EXPECT_EQ(f.busy_form.shows, 2);

  f.Edit1.text = "30";
  Click("SpdBtnGetNextData");
  EXPECT_EQ(RequestedSkip(), 0);
  EXPECT_EQ(f.TmrTimeout.restarts, 1);
  EXPECT_EQ(f.TmrTimeout.interval, 30000);

  ServeRequested();
  EXPECT_EQ(Rows(), 50);
  EXPECT_EQ(Pops(), 1);
}

// Idle, download complete: a page loaded outside a Get is cut short and
// changes nothing else, not even the capture file.
TEST_F(DriverTest, DownloadCompleteWhileIdleOnlyStops) {
  f.MiniBro.Complete(FreshPage(0));
  EXPECT_EQ(f.MiniBro.stops, 1);
  EXPECT_FALSE(fs::exists("thisget.htm"));
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Pops(), 0);

  // The same after a finished command: a late second event of that page.
  Click("SpdBtnSearch");
  ServeRequested();
  f.MiniBro.Complete(FreshPage(0));
  EXPECT_EQ(f.MiniBro.stops, 3);
  EXPECT_EQ(Rows(), 50);
  EXPECT_EQ(f.FrmPrice->PageOffset(), 50);
}

// A capture file that cannot be deleted fails the attempt within its bound
// and the timeout takes over; a save that fails for a moment is retried.
TEST_F(DriverTest, CaptureStepsAreBoundedAndRetried) {
  fs::create_directories("thisget.htm");
  std::ofstream("thisget.htm/inner") << "x";
  Click("SpdBtnSearch");
  ServeRequested();
  EXPECT_TRUE(f.FrmPrice->AwaitingPage());
  EXPECT_EQ(Rows(), 0);
  fs::remove_all("thisget.htm");
  f.TmrTimeout.Fire();
  EXPECT_EQ(Pops(), 1);

  Click("SpdBtnSearch");
  f.MiniBro.general_failures = 5;
  ServeRequested();
  EXPECT_FALSE(f.FrmPrice->AwaitingPage());
  EXPECT_EQ(Rows(), 50);
}

}  // namespace
}  // namespace tolvane
