#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "app/temp_folder.h"

namespace tolvane {
namespace {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs tolvane-cli with the arguments (already quoted for the shell).
CliRun RunCli(const std::string& args) {
  testing::TempFolder folder;
  const std::string out = folder / "out";
  const std::string err = folder / "err";
  const std::string command = std::string("'") + TOLVANE_CLI + "' " + args +
                              " >'" + out + "' 2>'" + err + "'";
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = testing::ReadText(out);
  run.err = testing::ReadText(err);
  return run;
}

std::string Page(const std::string& name) {
  return std::string("'") + TOLVANE_PAGES_DIR + "/" + name + "/page.htm'";
}

// Catches exit statuses and streams mixed up: rows on standard output only,
// the program's error text or the usage on standard error.
TEST(CliParseTest, ExitStatusAndStreams) {
  struct Case {
    std::string args;
    int status;
    std::string out;
    std::string err_start;
  };
  const Case cases[] = {
      {"parse " + Page("no_items"), 0, "", ""},
      {"parse", 2, "", "usage: tolvane-cli"},
      {"parse --rows " + Page("no_items"), 2, "", "usage: tolvane-cli"},
      {"parse /nonexistent/page.htm", 1, "",
       "Cannot open file /nonexistent/page.htm.\n"},
      {"parse " + Page("no_items") + " /nonexistent/page.htm", 1, "",
       "Cannot open file /nonexistent/page.htm.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun run = RunCli(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err.substr(0, c.err_start.size()), c.err_start);
    if (c.err_start.empty()) {
      EXPECT_EQ(run.err, "");
    }
  }
}

std::string Expected(const std::string& name) {
  return testing::ReadText(std::string(TOLVANE_PAGES_DIR) + "/" + name +
                           "/expected.csv");
}

// Catches a grid started afresh for each page, or pages read out of order:
// successive pages fill one grid and a row seen before is not added again.
TEST(CliParseTest, PagesFillOneGridInTurn) {
  const std::string basic = Expected("basic");
  // The third row of the basic page is the only one the head page lacks.
  const std::string third = basic.substr(basic.find("\"2907654321\""));
  struct Case {
    std::string args;
    std::string out;
  };
  const Case cases[] = {
      {Page("basic"), basic},
      {Page("basic") + " " + Page("basic"), basic},
      {Page("head_link_at_20000") + " " + Page("basic"),
       Expected("head_link_at_20000") + third},
      {Page("no_items") + " " + Page("currencies"), Expected("currencies")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun run = RunCli("parse " + c.args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
  }
}

}  // namespace
}  // namespace tolvane
