#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tessik_glo_shell.h"
#include "fakes/fakes.h"
#include "util/tessik_glo.h"

namespace tolvane {
namespace {

// Catches a link that opens the wrong page or opens it twice, a message
// shown when the page opened, and a failure that goes unreported, is
// worded wrongly or escapes into the default error report.
TEST(HelpLinksTest, EachLinkOpensItsPageAndReportsAFailure) {
  const HostConfig hosts;
  // Each link's handler and the page it opens.
  const std::pair<void (TFrmPrice::*)(const Sender&), std::string> links[] = {
      {&TFrmPrice::OnlineHelp1Click, hosts.online_help},
      {&TFrmPrice::EbaysSearchTips1Click,
       hosts.help_pages + "/help/buy/index.html?search_tips.html"},
      {&TFrmPrice::Support1Click, hosts.support}};
  for (const auto& [handler, address] : links) {
    for (const bool succeed : {true, false}) {
      fakes::FakeApp f;
      f.shell.succeed = succeed;
      f.Dispatch([&] { (f.FrmPrice.get()->*handler)(Sender{"Help"}); });
      EXPECT_EQ(f.shell.opened, std::vector<std::string>{address});
      if (succeed) {
        EXPECT_TRUE(f.message_box.shown.empty()) << address;
        continue;
      }
      ASSERT_EQ(f.message_box.shown.size(), 1u) << address;
      EXPECT_EQ(f.message_box.shown[0].text, "Encountered Error 454-50.");
      EXPECT_EQ(f.message_box.shown[0].caption, "Tolvane");
      EXPECT_EQ(f.message_box.shown[0].buttons, MbButtons::kOk);
    }
  }
}

// ShellOpen says in its result whether the desktop took the address (its
// error box is the help links' to check); ShowPage makes a local page's
// address absolute.
TEST(HelpLinksTest, ShellOpenResultAndLocalPageAddress) {
  PlainShell shell;
  PlainMessageBox box;
  TessikGloShell glo(shell, box);
  EXPECT_TRUE(glo.ShellOpen("http://example.invalid/"));
  shell.succeed = false;
  EXPECT_FALSE(glo.ShellOpen("nowhere"));
  PlainBrowser browser;
  glo.ShowPage("page.htm", browser, true);
  EXPECT_EQ(
      browser.navigations,
      std::vector<std::string>{TessikGlo::CurrentDirectory() + "/page.htm"});
  EXPECT_EQ(browser.last_flags, kNavNoHistory);
}

}  // namespace
}  // namespace tolvane
