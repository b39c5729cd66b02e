#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/temp_folder.h"

namespace tolvane::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs tolvane-cli with the arguments (already quoted for the shell; a
// redirection among them, such as >/dev/full, wins over the capture).
inline CliRun RunCli(const std::string& args) {
  TempFolder folder;
  const std::string out = folder / "out";
  const std::string err = folder / "err";
  const std::string command = std::string("'") + TOLVANE_CLI + "' >'" + out +
                              "' 2>'" + err + "' " + args;
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(out), ReadText(err)};
}

// Runs the cases, each with its exit status, its whole standard output and
// the start of its standard error (none at all when the start is empty).
struct CliCase {
  std::string args;
  int status;
  std::string out;
  std::string err_start;
};

inline void ExpectCliRuns(const std::vector<CliCase>& cases) {
  for (const CliCase& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun run = RunCli(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    if (c.err_start.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_EQ(run.err.substr(0, c.err_start.size()), c.err_start);
    }
  }
}

}  // namespace tolvane::testing
