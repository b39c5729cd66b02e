#include <gtest/gtest.h>

#include <string>

#include "app/sold_fixture.h"
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

// Catches a bot check or a page of items still for sale passed over in
// silence (exit 0, no rows: taken for "nothing sold"), the rows of the pages
// that were read lost with it, and a refusal not naming its page.
TEST(CliParseTest, RefusedPagesAreNamedAfterTheRowsOfTheOthers) {
  TempFolder folder;
  const std::string sold = folder / "sold.htm";
  const std::string challenge = folder / "challenge.htm";
  const std::string for_sale = folder / "for_sale.htm";
  WriteText(sold, SoldResultPage({{"101", "$45.00"}}));
  WriteText(challenge, kChallengePage);
  WriteText(for_sale, SoldResultPage({{"102", "$5.00", ""}}));
  const CliRun run =
      RunCli("parse '" + challenge + "' '" + sold + "' '" + for_sale + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "\"101\",\"Lamp 101\",\"$45.00\",\"3\",\"Mar-07-2026\"\r\n");
  EXPECT_EQ(run.err,
            challenge +
                ": The site asked to confirm that a person is searching. Open "
                "the address in your web browser, save the result page, and "
                "open it with File > Open Saved Pages.\n" +
                for_sale +
                ": This page lists items still for sale, not sold ones.\n");
}

// Catches url printing another site than the program would ask (the
// stored choice, today's search when none is stored), options that do not
// override it, TOLVANE_MARKETPLACE not used, and unknown values accepted.
TEST(CliParseTest, UrlPrintsTheAddressOfTheChosenSite) {
  TempFolder folder;
  ::setenv("TOLVANE_PREFS", (folder / "prefs.reg").c_str(), 1);
  ::unsetenv("TOLVANE_MARKETPLACE");
  ::unsetenv("TOLVANE_SEARCH_SERVICE");
  const std::string keys = "&LH_Sold=1&LH_Complete=1&_sop=13&_ipg=50&_pgn=";
  ExpectCliRuns(
      {{"url 'brass lamp'", 0,
        "https://www.ebay.com/sch/i.html?_nkw=brass+lamp" + keys + "1\n", ""},
       {"url --offset 100 --marketplace www.ebay.de lamp", 0,
        "https://www.ebay.de/sch/i.html?_nkw=lamp" + keys + "3\n", ""},
       {"url --site classic --offset 50 lamp", 0,
        "http://search-completed.ebay.com/search/search.dll?GetResult&query="
        "lamp&ht=1&combine=y&SortProperty=MetaEndSort&st=2&skip=50\n",
        ""},
       {"url --site new lamp", 2, "", "usage: tolvane-cli"},
       {"url --marketplace ebay.fr lamp", 2, "", "usage: tolvane-cli"}});
  WriteText(folder / "prefs.reg",
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmor\\Tolvane\\prefs]\n"
            "\"site\"=dword:00000001\n");
  ::setenv("TOLVANE_MARKETPLACE", "http://127.0.0.1:9", 1);
  ExpectCliRuns(
      {{"url lamp", 0,
        "http://search-completed.ebay.com/search/search.dll?GetResult&query="
        "lamp&ht=1&combine=y&SortProperty=MetaEndSort&st=2&skip=0\n",
        ""},
       {"url --site sold lamp", 0,
        "http://127.0.0.1:9/sch/i.html?_nkw=lamp" + keys + "1\n", ""}});
  ::unsetenv("TOLVANE_MARKETPLACE");
  ::unsetenv("TOLVANE_PREFS");
}

}  // namespace
}  // namespace tolvane::testing
