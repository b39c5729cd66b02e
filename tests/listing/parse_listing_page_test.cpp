#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "fakes/fakes.h"

namespace tolvane {
namespace {

std::string Golden(const std::string& name) {
  return std::string(TOLVANE_PAGES_DIR) + "/" + name + "/page.htm";
}

// An auction priced in euros only: with no "$" on the page it is rejected.
std::string EuroAuction(const std::string& item) {
  return "<a href=\"/ws/eBayISAPI.dll?ViewItem&item=" + item +
         "\">Leica</a><font size=3>EUR 5.50</font><font size=3>2</font>"
         "<font size=3>Feb-17 21:23</font>\n";
}

// Catches end-of-list steps skipped on one of the ways out of the loop (a
// capture file that cannot be read among them), and a next-page button
// enabled by the wrong link text. During a Get 5 nothing after the parse
// touches the button, so its state is the parser's doing.
TEST(ParseListingPageTest, EndOfListStepsOnEveryPath) {
  testing::TempFolder folder;
  testing::WriteText(folder / "next.htm",
                     "<html>No items. <a href=\"x\">Next ></a></html>\n");
  const struct {
    std::string page_file;
    bool next_enabled;
  } cases[] = {
      {Golden("basic"), true},
      {Golden("next_entity"), false},  // the link written with an entity
      {Golden("no_items"), false},
      {folder / "next.htm", true},
      {Golden("upper_case_font"), false},  // text used up before the link
      {folder / "missing.htm", false}};
  for (const auto& c : cases) {
    for (const bool enabled_before : {false, true}) {
      SCOPED_TRACE(c.page_file);
      fakes::FakeApp f;
      f.FrmPrice->Get1Click(Sender{"SpdBtnGet5"});
      f.main_form.enabled = false;
      f.SpdBtnGetNextData.enabled = enabled_before;
      f.sound.played.clear();
      f.FrmPrice->ParseListingPage(c.page_file);
      EXPECT_TRUE(f.main_form.enabled);
      // Without a next link the button keeps its state.
      EXPECT_EQ(f.SpdBtnGetNextData.enabled, c.next_enabled || enabled_before);
      // The Summarise step ran and handed on to the page's end.
      EXPECT_EQ(f.sound.played, std::vector<std::string>{kSoundFile});
    }
  }
}

// Catches a repaint tied to an added row instead of to every auction cut.
TEST(ParseListingPageTest, BusyWindowRepaintedAfterEveryAuction) {
  testing::TempFolder folder;
  testing::WriteText(folder / "page.htm", EuroAuction("3012345670") +
                                              EuroAuction("3012345671") +
                                              EuroAuction("3012345672"));
  fakes::FakeApp f;
  f.FrmPrice->ParseListingPage(folder / "page.htm");
  EXPECT_EQ(f.busy_form.repaints, 3);
  EXPECT_EQ(f.FrmPrice->ListView1().Count(), 0);
}

}  // namespace
}  // namespace tolvane
