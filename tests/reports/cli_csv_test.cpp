#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "reports_fixture.h"

namespace tolvane {
namespace {

using testing_support::TempFolder;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs tolvane-cli with the arguments (already quoted for the shell).
CliRun RunCli(const TempFolder& folder, const std::string& args) {
  const std::string out = folder.File("stdout");
  const std::string err = folder.File("stderr");
  const std::string command = std::string("'") + TOLVANE_CLI + "' " + args +
                              " >'" + out + "' 2>'" + err + "'";
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(out);
  run.err = ReadText(err);
  return run;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::size_t LineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

constexpr const char* kTwoRows =
    "\"1111111111\",\"Lamp  . brass\",\"$12.50\",\"3\",\"Nov-23 18:45\"\r\n"
    "\"2222222222\",\"Tin lamp\",\"$7.50\",\"-\",\"Nov-22 09:10\"\r\n";
constexpr const char* kOneMore =
    "\"3333333333\",\"Oil lamp\",\"$5.00\",\"4\",\"Nov-23 18:05\"\r\n";

// Catches files merged into anything but one grid (duplicates across files
// counted twice), a summary of other lines than the memo's seven, and exit
// statuses or streams mixed up.
TEST(CliCsvTest, SummaryMergesEveryFileIntoOneGrid) {
  TempFolder folder;
  std::ofstream(folder.File("a.csv"), std::ios::binary) << kTwoRows;
  std::ofstream(folder.File("b.csv"), std::ios::binary) << kTwoRows << kOneMore;
  std::ofstream(folder.File("empty.csv"), std::ios::binary) << "";
  const std::string a = Quoted(folder.File("a.csv"));
  const std::string b = Quoted(folder.File("b.csv"));
  struct Case {
    std::string args;
    int status;
    std::string out;
    std::string err;
  } cases[] = {
      {"summary " + a + " " + b, 0,
       "\tAverage End Price:\t\t$8.33\n"
       "\tTotal Items:\t\t3\n"
       "\tTotal Checked:\t\t3\n"
       "\tAverage number of bids:\t2.33\n"
       "\tLow:\t\t\t$5.00\n"
       "\tHigh:\t\t\t$12.50\n"
       "\t* Results are computed from checked items.\n",
       ""},
      {"summary " + Quoted(folder.File("empty.csv")), 0,
       "\tAverage End Price:\t\t$0.00\n"
       "\tTotal Items:\t\t0\n"
       "\tTotal Checked:\t\t0\n"
       "\tAverage number of bids:\t0.00\n"
       "\tLow:\t\t\t$0.00\n"
       "\tHigh:\t\t\t$0.00\n"
       "\t* Results are computed from checked items.\n",
       folder.File("empty.csv") + ": No Items In File\n"},
      {"analysis " + Quoted(folder.File("empty.csv")), 0, "",
       folder.File("empty.csv") + ": No Items In File\n"},
      {"summary " + a + " " + Quoted(folder.File("none.csv")), 1, "",
       "Cannot open file " + folder.File("none.csv") + ".\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunCli(folder, c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_EQ(run.out, c.out) << c.args;
    EXPECT_EQ(run.err, c.err) << c.args;
  }
}

// Catches the analysis run on the wrong day (the year of each end time
// depends on it), a wrong line count, and options that are not refused.
TEST(CliCsvTest, AnalysisPrintsItsLinesForTheGivenDay) {
  TempFolder folder;
  std::ofstream(folder.File("b.csv"), std::ios::binary) << kTwoRows << kOneMore;
  const std::string b = Quoted(folder.File("b.csv"));

  const CliRun run = RunCli(folder, "analysis --today 2026-12-06 " + b);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(LineCount(run.out), 42u) << run.out;
  // 2026-11-23 was a Monday: both of that day's auctions end in hour 18.
  EXPECT_NE(run.out.find("    18   2       7"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  MON    2        7"), std::string::npos) << run.out;
  EXPECT_EQ(LineCount(RunCli(folder, "analysis " + b).out), 42u);

  for (const std::string& args : std::vector<std::string>{
           "analysis", "analysis --today", "analysis --today 2026-02-30 " + b,
           "analysis --today 26-12-06 " + b, "analysis --week " + b, "summary",
           "summary --all " + b}) {
    const CliRun refused = RunCli(folder, args);
    EXPECT_EQ(refused.status, 2) << args;
    EXPECT_EQ(refused.out, "") << args;
    EXPECT_EQ(refused.err.rfind("usage: tolvane-cli", 0), 0u) << args;
  }
}

}  // namespace
}  // namespace tolvane
