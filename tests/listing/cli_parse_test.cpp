#include <gtest/gtest.h>

#include <string>

#include "listing/cli_run.h"

namespace tolvane::testing {
namespace {

std::string Page(const std::string& name) {
  return std::string("'") + TOLVANE_PAGES_DIR + "/" + name + "/page.htm'";
}

std::string Expected(const std::string& name) {
  return ReadText(std::string(TOLVANE_PAGES_DIR) + "/" + name +
                  "/expected.csv");
}

// Catches exit statuses and streams mixed up (rows on standard output only,
// the program's error text or the usage on standard error), "--" taken for
// an option, and a grid started afresh for each page or pages read out of
// order: successive pages fill one grid and a row seen before is not added
// again.
TEST(CliParseTest, ExitStatusStreamsAndOneGridForAllPages) {
  const std::string basic = Expected("basic");
  // The third row of the basic page is the only one the head page lacks.
  const std::string third = basic.substr(basic.find("\"2907654321\""));
  const std::string kUsage = "usage: tolvane-cli";
  const std::string kNoFile = "Cannot open file /nonexistent/page.htm.\n";
  ExpectCliRuns(
      {{"parse " + Page("no_items"), 0, "", ""},
       {"parse", 2, "", kUsage},
       {"parse --rows " + Page("no_items"), 2, "", kUsage},
       {"parse -- " + Page("no_items"), 0, "", ""},
       {"parse /nonexistent/page.htm", 1, "", kNoFile},
       {"parse " + Page("no_items") + " /nonexistent/page.htm", 1, "", kNoFile},
       {"parse " + Page("basic") + " " + Page("basic"), 0, basic, ""},
       {"parse " + Page("head_link_at_20000") + " " + Page("basic"), 0,
        Expected("head_link_at_20000") + third, ""},
       {"parse " + Page("no_items") + " " + Page("currencies"), 0,
        Expected("currencies"), ""}});
}

}  // namespace
}  // namespace tolvane::testing
