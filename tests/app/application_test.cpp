#include "app/application.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace tolvane {
namespace {

// Catches an error report without the period, with the wrong caption or
// icon, or one that stops the program; and an error in a handler run from
// inside another one (a text change set by a command) that lets the outer
// handler go on, is reported twice or stops later reports.
TEST(ApplicationTest, ErrorsAreReportedOnceWithThePeriod) {
  PlainMessageBox box;
  Application app(box);
  bool outer_went_on = false;
  int after = 0;
  app.Dispatch([&] {
    app.Dispatch([] { throw Error("inner"); });
    outer_went_on = true;
  });
  app.Dispatch([] { throw Error("'x' is not a valid integer value"); });
  app.Dispatch([] { throw Error("Ends in a period."); });
  app.Dispatch([] { throw Error(""); });
  app.Dispatch([&] { ++after; });
  EXPECT_FALSE(outer_went_on);
  ASSERT_EQ(box.shown.size(), 4u);
  EXPECT_EQ(box.shown[0].text, "inner.");
  EXPECT_EQ(box.shown[1].text, "'x' is not a valid integer value.");
  EXPECT_EQ(box.shown[2].text, "Ends in a period.");
  EXPECT_EQ(box.shown[3].text, ".");
  for (const auto& shown : box.shown) {
    EXPECT_EQ(shown.caption, "Tolvane 1.6");
    EXPECT_EQ(shown.icon, MbIcon::kStop);
    EXPECT_EQ(shown.buttons, MbButtons::kOk);
  }
  EXPECT_EQ(after, 1);
}

}  // namespace
}  // namespace tolvane
