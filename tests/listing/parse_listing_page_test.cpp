#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "fakes/fakes.h"
#include "listing/page_builder.h"

namespace tolvane {
namespace {

using testing::AuctionHtml;
using testing::ResultPage;

struct EndCase {
  std::string name;
  std::string page;
  bool next_enabled;
};

// Catches end-of-list steps skipped on one of the ways out of the loop, and
// a next-page button enabled by the wrong link text. During a Get 5 nothing
// after the parse touches the button, so its state is the parser's doing.
TEST(ParseListingPageTest, EndOfListStepsOnEveryPath) {
  AuctionHtml upper;
  upper.price_cell = "<B>$12.00</B>";
  std::string upper_page = ResultPage({upper, upper});
  for (std::size_t at = upper_page.find("<font size=3>");
       at != std::string::npos; at = upper_page.find("<font size=3>", at)) {
    upper_page.replace(at, 5, "<FONT");
  }
  const EndCase cases[] = {
      {"items and a next link", ResultPage({AuctionHtml{}}, "Next >"), true},
      {"next link written with an entity",
       ResultPage({AuctionHtml{}}, "Next &gt;"), false},
      {"last page", ResultPage({AuctionHtml{}}, ""), false},
      {"no items but a next link", ResultPage({}, "Next >"), true},
      {"text used up before the next link", upper_page, false},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    testing::WriteText(folder / "thisget.htm", c.page);
    fakes::FakeApp f;
    f.FrmPrice->Get1Click(Sender{"SpdBtnGet5"});
    f.main_form.enabled = false;
    f.sound.played.clear();
    f.FrmPrice->ParseListingPage(folder / "thisget.htm");
    EXPECT_TRUE(f.main_form.enabled);
    EXPECT_EQ(f.SpdBtnGetNextData.enabled, c.next_enabled);
    // The Summarise step ran and handed on to the page's end.
    EXPECT_EQ(f.sound.played, std::vector<std::string>{kSoundFile});
  }
}

// Catches a repaint tied to an added row instead of to every auction cut.
TEST(ParseListingPageTest, BusyWindowRepaintedAfterEveryAuction) {
  testing::TempFolder folder;
  std::vector<AuctionHtml> auctions(3);
  for (std::size_t i = 0; i < auctions.size(); ++i) {
    auctions[i].item = "30123456" + std::to_string(70 + i);
    auctions[i].price_cell = "<b>EUR 5.50</b>";  // no "$" anywhere: rejected
  }
  testing::WriteText(folder / "page.htm", ResultPage(auctions));
  fakes::FakeApp f;
  f.FrmPrice->ParseListingPage(folder / "page.htm");
  EXPECT_EQ(f.busy_form.repaints, 3);
  EXPECT_EQ(f.FrmPrice->ListView1().Count(), 0);
}

// Catches a capture file that cannot be read stopping the chain: the parse
// adds nothing and still hands on.
TEST(ParseListingPageTest, UnreadableFileStillEndsThePage) {
  testing::TempFolder folder;
  fakes::FakeApp f;
  f.main_form.enabled = false;
  f.FrmPrice->ParseListingPage(folder / "missing.htm");
  EXPECT_EQ(f.FrmPrice->ListView1().Count(), 0);
  EXPECT_TRUE(f.main_form.enabled);
  EXPECT_EQ(f.sound.played, std::vector<std::string>{kSoundFile});
}

}  // namespace
}  // namespace tolvane
