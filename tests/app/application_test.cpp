#include "app/application.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace tolvane {
namespace {

// Catches an error report without the period, with the wrong caption or
// icon, or one that stops the program.
TEST(ApplicationTest, DefaultErrorReportAddsThePeriodOnce) {
  fakes::FakeMessageBox box;
  Application app(box);
  int after = 0;
  app.Dispatch([] { throw Error("'x' is not a valid integer value"); });
  app.Dispatch([] { throw Error("Ends in a period."); });
  app.Dispatch([] { throw Error(""); });
  app.Dispatch([&] { ++after; });
  ASSERT_EQ(box.shown.size(), 3u);
  EXPECT_EQ(box.shown[0].text, "'x' is not a valid integer value.");
  EXPECT_EQ(box.shown[1].text, "Ends in a period.");
  EXPECT_EQ(box.shown[2].text, ".");
  for (const auto& shown : box.shown) {
    EXPECT_EQ(shown.caption, "Tolvane 1.6");
    EXPECT_EQ(shown.icon, MbIcon::kStop);
    EXPECT_EQ(shown.buttons, MbButtons::kOk);
  }
  EXPECT_EQ(after, 1);
}

// A handler run from inside another one (a text change set by a command)
// ends the outer handler too, and the error is reported once.
TEST(ApplicationTest, NestedErrorsEndTheOuterHandlerAndReportOnce) {
  fakes::FakeMessageBox box;
  Application app(box);
  bool outer_went_on = false;
  app.Dispatch([&] {
    app.Dispatch([] { throw Error("inner"); });
    outer_went_on = true;
  });
  EXPECT_FALSE(outer_went_on);
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text, "inner.");
  app.Dispatch([] { throw Error("again"); });
  EXPECT_EQ(box.shown.size(), 2u);
}

}  // namespace
}  // namespace tolvane
