#include "app/hosts.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tolvane {
namespace {

// Sets environment variables for one test and restores them afterwards, so
// the other tests of the binary see the machine's own environment.
class ScopedEnvironment {
 public:
  explicit ScopedEnvironment(
      std::vector<std::pair<const char*, const char*>> values) {
    for (const auto& [name, value] : values) {
      const char* old = ::getenv(name);
      saved_.push_back(
          {name, old ? std::optional<std::string>(old) : std::nullopt});
      if (value)
        ::setenv(name, value, 1);
      else
        ::unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value)
        ::setenv(name, value->c_str(), 1);
      else
        ::unsetenv(name);
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

// Catches a variable read under the wrong name or assigned to the wrong
// field: the run script and the end-to-end tests depend on these names.
TEST(HostsTest, EachVariableOverridesItsOwnField) {
  ScopedEnvironment env({{"TOLVANE_SEARCH_SERVICE", "http://127.0.0.1:1"},
                         {"TOLVANE_ITEM_HOST", "127.0.0.1:2"},
                         {"TOLVANE_HELP_PAGES", "http://127.0.0.1:3"},
                         {"TOLVANE_ONLINE_HELP", "http://127.0.0.1:4/h.htm"},
                         {"TOLVANE_SUPPORT", "http://127.0.0.1:5/s.htm"}});
  const HostConfig config = HostConfig::FromEnvironment();
  EXPECT_EQ(config.search_service, "http://127.0.0.1:1");
  EXPECT_EQ(config.item_host, "127.0.0.1:2");
  EXPECT_EQ(config.help_pages, "http://127.0.0.1:3");
  EXPECT_EQ(config.online_help, "http://127.0.0.1:4/h.htm");
  EXPECT_EQ(config.support, "http://127.0.0.1:5/s.htm");
}

// Catches an empty variable wiping a host (every address would lose its
// scheme) and a trailing slash doubling the one the path begins with.
TEST(HostsTest, EmptyKeepsDefaultAndTrailingSlashIsDropped) {
  ScopedEnvironment env({{"TOLVANE_SEARCH_SERVICE", "http://127.0.0.1:8080/"},
                         {"TOLVANE_ITEM_HOST", nullptr},
                         {"TOLVANE_HELP_PAGES", ""},
                         {"TOLVANE_ONLINE_HELP", nullptr},
                         {"TOLVANE_SUPPORT", ""}});
  const HostConfig config = HostConfig::FromEnvironment();
  const HostConfig defaults;
  EXPECT_EQ(config.search_service, "http://127.0.0.1:8080");
  EXPECT_EQ(config.item_host, defaults.item_host);
  EXPECT_EQ(config.help_pages, defaults.help_pages);
  EXPECT_EQ(config.online_help, defaults.online_help);
  EXPECT_EQ(config.support, defaults.support);
}

}  // namespace
}  // namespace tolvane
