#include <gtest/gtest.h>

#include "app/frm_options.h"
#include "fakes/fakes.h"

namespace tolvane {
namespace {

TEST(FrameTest, AboutShowsVersionUnderAbout) {
  fakes::FakeApp f;
  f.FrmPrice->About1Click(Sender{"About1"});
  ASSERT_EQ(f.message_box.shown.size(), 1u);
  EXPECT_EQ(f.message_box.shown[0].text, "Tolvane Version 1.6 A");
  EXPECT_EQ(f.message_box.shown[0].caption, "About");
  EXPECT_EQ(f.message_box.shown[0].buttons, MbButtons::kOk);
}

TEST(FrameTest, StartUpFocusesTheSearchBoxAndDisablesNextPage) {
  fakes::FakeApp f;
  EXPECT_EQ(f.EdtQuery.focus_count, 1);
  EXPECT_FALSE(f.SpdBtnGetNextData.enabled);
  EXPECT_FALSE(f.TmrTimeout.enabled);
  EXPECT_FALSE(f.FrmPrice->FormCanResize(Sender{"FrmPrice"}, 900, 700));
  EXPECT_EQ(f.app.Title(), "Tolvane 1.6");
}

// Typing into the search box starts the next Get at the first page again.
TEST(FrameTest, TypingDisablesGetNextPage) {
  fakes::FakeApp f;
  f.SpdBtnGetNextData.enabled = true;
  f.EdtQuery.Type("brass lamp");
  EXPECT_FALSE(f.SpdBtnGetNextData.enabled);
  EXPECT_EQ(f.FrmPrice->PageOffset(), 0);
}

TEST(FrameTest, ExitClosesTheMainWindowAndOptionsShowModeless) {
  fakes::FakeApp f;
  f.FrmPrice->Options1Click(Sender{"Options1"});
  EXPECT_TRUE(f.options_form.visible);
  EXPECT_TRUE(f.main_form.enabled);
  f.FrmPrice->Exit1Click(Sender{"Exit1"});
  EXPECT_TRUE(f.main_form.closed);
}

// Only a plain Enter starts a Get: with Shift, Alt or Ctrl held, or for
// another key, the search box keeps the key to itself.
TEST(FrameTest, OnlyPlainEnterStartsAGet) {
  struct Case {
    int key;
    bool shift, alt, ctrl;
    bool gets;
  } cases[] = {{13, false, false, false, true},
               {13, true, false, false, false},
               {13, false, true, false, false},
               {13, false, false, true, false},
               {10, false, false, false, false}};
  for (const Case& c : cases) {
    fakes::FakeApp f;
    f.Dispatch([&] {
      f.FrmPrice->EdtQueryKeyDown(Sender{"EdtQuery"}, c.key, c.shift, c.alt,
                                  c.ctrl);
    });
    EXPECT_EQ(f.MiniBro.navigations.size(), c.gets ? 1u : 0u)
        << c.key << c.shift << c.alt << c.ctrl;
  }
}

}  // namespace
}  // namespace tolvane
