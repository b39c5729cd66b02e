#include <gtest/gtest.h>

#include "app/frm_options.h"
#include "fakes/fakes.h"

namespace tolvane {
namespace {

// Catches a start without the search box focused or with Get next page,
// the timer or resizing on; an About box with the wrong text, caption or
// buttons; typing that keeps Get next page or the old offset; Options shown
// modal; and Exit that leaves the main window open.
TEST(FrameTest, StartUpAboutTypingOptionsAndExit) {
  fakes::FakeApp f;
  EXPECT_EQ(f.EdtQuery.focus_count, 1);
  EXPECT_FALSE(f.SpdBtnGetNextData.enabled);
  EXPECT_FALSE(f.TmrTimeout.enabled);
  EXPECT_FALSE(f.FrmPrice->FormCanResize(Sender{"FrmPrice"}, 900, 700));
  EXPECT_EQ(f.app.Title(), "Tolvane 1.6");
  f.FrmPrice->About1Click(Sender{"About1"});
  ASSERT_EQ(f.message_box.shown.size(), 1u);
  EXPECT_EQ(f.message_box.shown[0].text, "Tolvane Version 1.6 A");
  EXPECT_EQ(f.message_box.shown[0].caption, "About");
  EXPECT_EQ(f.message_box.shown[0].buttons, MbButtons::kOk);
  f.SpdBtnGetNextData.enabled = true;
  f.EdtQuery.Type("brass lamp");
  EXPECT_FALSE(f.SpdBtnGetNextData.enabled);
  EXPECT_EQ(f.FrmPrice->PageOffset(), 0);
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
    bool shift, alt, ctrl, gets;
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
