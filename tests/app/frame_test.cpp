#include <gtest/gtest.h>

#include <set>

#include "app/command_table.h"
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

// Every command of the tables reaches a handler, and the captions and hints
// are the program's own.
TEST(FrameTest, CommandTablesAreComplete) {
  std::set<std::string> names;
  int with_handler = 0;
  for (const MenuEntry& entry : MainMenuEntries()) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    if (entry.handler != nullptr) ++with_handler;
  }
  EXPECT_EQ(with_handler, 19);
  EXPECT_EQ(ToolbarButtons().size(), 13u);
  EXPECT_EQ(SideBarButtons().size(), 5u);
  for (std::size_t i = 0; i < ToolbarButtons().size(); ++i) {
    EXPECT_EQ(ToolbarButtons()[i].position, static_cast<int>(i) * 40);
    EXPECT_NE(ToolbarButtons()[i].handler, nullptr);
  }
  EXPECT_EQ(SideBarButtons()[2].handler, &TFrmPrice::DeleteSelected1Click);
}

}  // namespace
}  // namespace tolvane
