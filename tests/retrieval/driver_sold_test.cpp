#include <string>
#include <vector>

#include "app/sold_fixture.h"
#include "driver_fixture.h"
#include "retrieval/load_failure.h"
#include "util/money.h"

namespace tolvane {
namespace {

using testing::SoldCard;
using testing::SoldResultPage;

constexpr const char* kFirstPage =
    "https://www.ebay.com/sch/i.html?_nkw=brass+lamp&LH_Sold=1&LH_Complete=1&"
    "_sop=13&_ipg=50&_pgn=1";

// The driver on today's search, the choice a new preference file gets.
class SoldDriverTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    f.preferences.keys.clear();
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : f.message_box.shown) texts.push_back(m.text);
    return texts;
  }
};

// Catches a Get that asks the classic service or numbers its pages wrongly,
// a next link not followed (or followed to another host), Get next page left
// on after the last page, a Get 5 that runs past the last page or stops
// before it, ended listings added checked, and the browser's old page taken
// for the new one.
TEST_F(SoldDriverTest, GetFollowsNextLinksAndGet5EndsAtTheLastPage) {
  Click("SpdBtnSearch");
  EXPECT_EQ(f.MiniBro.navigations.back(), kFirstPage);
  const std::string first =
      SoldResultPage({{"101", "$45.00"},
                      {"102", "$9.99", "Ended  Mar 6, 2026", "0 bids"},
                      {"103", "$1,250.00", "Sold  Mar 5, 2026", ""},
                      {"105", "$3.00", ""}},  // still for sale: no row
                     "/sch/i.html?_nkw=brass+lamp&_pgn=2&rt=nc");
  f.MiniBro.Complete(first);
  ASSERT_EQ(Rows(), 3);
  const ResultRow ended = f.FrmPrice->ListView1().Row(1);
  EXPECT_FALSE(ended.checked);
  EXPECT_EQ(ended.ended, "Mar-06-2026");
  EXPECT_EQ(f.FrmPrice->ListView1().Row(2).bids, "-");
  EXPECT_TRUE(f.SpdBtnGetNextData.enabled);
  EXPECT_EQ(f.FrmPrice->PageOffset(), 50);

  Click("SpdBtnGetNextData");
  EXPECT_EQ(f.MiniBro.navigations.back(),
            "https://www.ebay.com/sch/i.html?_nkw=brass+lamp&_pgn=2&rt=nc");
  f.MiniBro.Complete(first);  // still the page before
  EXPECT_TRUE(f.FrmPrice->AwaitingPage());
  f.MiniBro.Complete(SoldResultPage({{"104", "$20.00"}}));
  EXPECT_FALSE(f.SpdBtnGetNextData.enabled);
  EXPECT_EQ(Pops(), 2);

  // A link to another host gives the page's address as the program builds it.
  f.EdtQuery.Type("copper kettle");
  Click("SpdBtnGet5");
  f.MiniBro.Complete(SoldResultPage(
      {{"201", "$5.00"}}, "https://www.ebay.co.uk/sch/i.html?_pgn=2"));
  EXPECT_EQ(f.MiniBro.navigations.back(),
            "https://www.ebay.com/sch/i.html?_nkw=copper+kettle&LH_Sold=1&"
            "LH_Complete=1&_sop=13&_ipg=50&_pgn=2");
  f.MiniBro.Complete(SoldResultPage({{"202", "$6.00"}}, "/sch/i.html?p=3"));
  f.MiniBro.Complete(SoldResultPage({{"203", "$7.00"}}));
  EXPECT_EQ(f.MiniBro.navigations.size(), 5u);
  EXPECT_FALSE(f.FrmPrice->Get5Running());
  EXPECT_FALSE(f.busy_form.visible);
  EXPECT_FALSE(f.SpdBtnGetNextData.enabled);
  EXPECT_EQ(Rows(), 7);

  // A link of one marketplace is not followed on another.
  Click("SpdBtnSearch");
  f.MiniBro.Complete(SoldResultPage({{"301", "$5.00"}}, "/sch/i.html?p=2"));
  StoreSiteChoice(f.preferences, {Site::kSoldListings, 1});
  Click("SpdBtnGetNextData");
  EXPECT_EQ(f.MiniBro.navigations.back(),
            "https://www.ebay.co.uk/sch/i.html?_nkw=copper+kettle&LH_Sold=1&"
            "LH_Complete=1&_sop=13&_ipg=50&_pgn=4");
}

struct RefusalCase {
  const char* what;
  std::string before;  // a page read first
  std::string page;    // empty: the connection fails
  std::string message;
};

// Catches a bot check, a page of items still for sale or a page in another
// currency read as zero results (or their rows added), the run going on
// after them, the pop played or the offset moved as if the page had been
// read, and a failed connection waited out instead of told.
TEST_F(SoldDriverTest, RefusedPagesAndFailedLoadsAddNothingAndEndTheRun) {
  const RefusalCase cases[] = {
      {"bot check", "", testing::kChallengePage,
       "The site asked to confirm that a person is searching. Open the "
       "address in your web browser, save the result page, and open it with "
       "File > Open Saved Pages."},
      {"still for sale", "",
       SoldResultPage({{"301", "$5.00", ""}, {"302", "$6.00", ""}}, "/next"),
       "This page lists items still for sale, not sold ones."},
      {"another currency",
       SoldResultPage({{"401",
                        "\xC2\xA3"
                        "68.90"}}),
       SoldResultPage({{"402", "$5.00"}}, "/next"),
       CurrencyConflictMessage("The page", "USD", "GBP")},
      {"refused", "", "",
       "www.ebay.com refused the connection: nothing answers there. Try Get "
       "again later; if the address comes from TOLVANE_MARKETPLACE, check "
       "that its service is running."}};
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.what);
    f.FrmPrice->NewSearch1Click(Sender{"NewSearch1"});
    f.EdtQuery.Type(kExpression);
    if (!c.before.empty()) {
      Click("SpdBtnSearch");
      f.MiniBro.Complete(c.before);
    }
    const int rows = Rows();
    const int offset = f.FrmPrice->PageOffset();
    const int pops = Pops();
    Click("SpdBtnGet5");
    f.message_box.shown.clear();
    if (c.page.empty()) {
      f.MiniBro.Fail({LoadFailureKind::kRefused, "Connection refused"});
    } else {
      f.MiniBro.Complete(c.page);
    }
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(f.FrmPrice->PageOffset(), offset);
    EXPECT_EQ(Pops(), pops);
    EXPECT_FALSE(f.FrmPrice->Get5Running());
    EXPECT_FALSE(f.FrmPrice->AwaitingPage());
    EXPECT_FALSE(f.TmrTimeout.enabled);
    EXPECT_FALSE(f.busy_form.visible);
  }
  // The pounds of the page read first are shown as pounds.
  EXPECT_NE(f.MResultsLeft.lines.at(0).find("\xC2\xA3"
                                            "68.90"),
            std::string::npos)
      << f.MResultsLeft.lines.at(0);
}

// Catches a failure told without its host, with the wrong advice for its
// kind, or without the system's words where the kind alone says too little.
TEST(LoadFailureTest, MessagesNameTheHostAndTheRemedy) {
  const struct {
    LoadFailureKind kind;
    const char* address;
    const char* start;
    const char* end;
  } cases[] = {
      {LoadFailureKind::kHostNotFound, "https://www.ebay.de/sch/i.html?x=1",
       "Tolvane could not find www.ebay.de. Check", "press Get again."},
      {LoadFailureKind::kTimedOut, "http://u:p@127.0.0.1:8080",
       "127.0.0.1:8080 did not answer in time.", "press Get again."},
      {LoadFailureKind::kCertificate, "https://h/x",
       "The connection to h was stopped: the site's certificate",
       "is installed, then press Get again. (The system said: why.)"},
      {LoadFailureKind::kSecureConnection, "https://h#a",
       "No secure connection could be made to h.", "(The system said: why.)"},
      {LoadFailureKind::kOther, "no-scheme",
       "The page could not be loaded from no-scheme.",
       "(The system said: why.)"}};
  for (const auto& c : cases) {
    const std::string text = LoadFailureMessage({c.kind, "why."}, c.address);
    EXPECT_TRUE(text.starts_with(c.start)) << text;
    EXPECT_TRUE(text.ends_with(c.end)) << text;
  }
}

}  // namespace
}  // namespace tolvane
