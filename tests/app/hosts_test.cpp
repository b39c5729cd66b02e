#include "app/hosts.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace tolvane {
namespace {

// Catches a variable read under another name or into another field (the
// run script and the end-to-end tests rely on these names), an empty
// variable wiping a default, and a trailing slash doubling the path's own.
TEST(HostsTest, VariablesOverrideTheirOwnFieldOnly) {
  const char* const kNames[] = {
      "TOLVANE_SEARCH_SERVICE", "TOLVANE_ITEM_HOST", "TOLVANE_HELP_PAGES",
      "TOLVANE_ONLINE_HELP",    "TOLVANE_SUPPORT",   "TOLVANE_MARKETPLACE"};
  ::setenv(kNames[0], "http://127.0.0.1:1/", 1);
  ::setenv(kNames[1], "127.0.0.1:2", 1);
  ::setenv(kNames[2], "", 1);
  ::unsetenv(kNames[3]);
  ::setenv(kNames[4], "http://127.0.0.1:5/s.htm", 1);
  ::setenv(kNames[5], "http://127.0.0.1:6/", 1);
  const HostConfig config = HostConfig::FromEnvironment();
  for (const char* name : kNames) ::unsetenv(name);
  const HostConfig defaults;
  EXPECT_EQ(config.search_service, "http://127.0.0.1:1");
  EXPECT_EQ(config.item_host, "127.0.0.1:2");
  EXPECT_EQ(config.help_pages, defaults.help_pages);
  EXPECT_EQ(config.online_help, defaults.online_help);
  EXPECT_EQ(config.support, "http://127.0.0.1:5/s.htm");
  EXPECT_EQ(config.marketplace, "http://127.0.0.1:6");
  EXPECT_EQ(defaults.marketplace, "");
}

}  // namespace
}  // namespace tolvane
