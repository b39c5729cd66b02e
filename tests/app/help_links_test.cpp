#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fakes.h"

namespace tolvane {
namespace {

using Handler = void (TFrmPrice::*)(const Sender&);

struct LinkCase {
  const char* name;
  Handler handler;
  std::string address;
};

std::vector<LinkCase> Links() {
  const HostConfig hosts;
  return {
      {"OnlineHelp1", &TFrmPrice::OnlineHelp1Click, hosts.online_help},
      {"EbaysSearchTips1", &TFrmPrice::EbaysSearchTips1Click,
       hosts.help_pages + "/help/buy/index.html?search_tips.html"},
      {"Support1", &TFrmPrice::Support1Click, hosts.support},
  };
}

// Catches a link that opens the wrong page, opens it twice, or shows a
// message when the page opened.
TEST(HelpLinksTest, EachLinkOpensItsPageOnce) {
  for (const LinkCase& link : Links()) {
    fakes::FakeApp f;
    f.Dispatch([&] { (f.FrmPrice.get()->*link.handler)(Sender{link.name}); });
    ASSERT_EQ(f.shell.opened.size(), 1u) << link.name;
    EXPECT_EQ(f.shell.opened[0], link.address) << link.name;
    EXPECT_TRUE(f.message_box.shown.empty()) << link.name;
  }
}

// Catches a failure that goes unreported, is reported with the wrong words
// or caption, or escapes as an error into the default report.
TEST(HelpLinksTest, FailureShowsTheShellMessageOnly) {
  for (const LinkCase& link : Links()) {
    fakes::FakeApp f;
    f.shell.succeed = false;
    f.Dispatch([&] { (f.FrmPrice.get()->*link.handler)(Sender{link.name}); });
    ASSERT_EQ(f.message_box.shown.size(), 1u) << link.name;
    EXPECT_EQ(f.message_box.shown[0].text, "Encountered Error 454-50.");
    EXPECT_EQ(f.message_box.shown[0].caption, "Tolvane");
    EXPECT_EQ(f.message_box.shown[0].buttons, MbButtons::kOk);
  }
}

}  // namespace
}  // namespace tolvane
