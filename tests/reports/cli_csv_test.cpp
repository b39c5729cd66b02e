#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "listing/cli_run.h"

namespace tolvane::testing {
namespace {

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// The summary's seven lines with the figures in their order.
std::string Summary(const std::vector<std::string>& v) {
  return "\tAverage End Price:\t\t" + v[0] + "\n\tTotal Items:\t\t" + v[1] +
         "\n\tTotal Checked:\t\t" + v[2] + "\n\tAverage number of bids:\t" +
         v[3] + "\n\tLow:\t\t\t" + v[4] + "\n\tHigh:\t\t\t" + v[5] +
         "\n\t* Results are computed from checked items.\n";
}

constexpr const char* kTwoRows =
    "\"1111111111\",\"Lamp  . brass\",\"$12.50\",\"3\",\"Nov-23 18:45\"\r\n"
    "\"2222222222\",\"Tin lamp\",\"$7.50\",\"-\",\"Nov-22 09:10\"\r\n";
constexpr const char* kOneMore =
    "\"3333333333\",\"Oil lamp\",\"$5.00\",\"10\",\"Nov-23 18:05\"\r\n";

// Catches files merged into anything but one grid (duplicates across files
// counted twice), a summary of other lines than the memo's seven, exit
// statuses or streams mixed up, options that are not refused or "--" taken
// for one, output that could not be written reported as success, and the
// analysis run on the wrong day (the year of each end time depends on it)
// or with a wrong line count.
TEST(CliCsvTest, SummaryAndAnalysisOfMergedFiles) {
  TempFolder folder;
  WriteText(folder / "a.csv", kTwoRows);
  WriteText(folder / "b.csv", std::string(kTwoRows) + kOneMore);
  WriteText(folder / "empty.csv", "");
  const std::string a = Quoted(folder / "a.csv");
  const std::string b = Quoted(folder / "b.csv");
  const std::string empty = folder / "empty.csv";
  const std::string none = folder / "none.csv";
  const std::string kUsage = "usage: tolvane-cli";
  const std::string kCannotWrite = "Cannot write to standard output.\n";
  ExpectCliRuns({
      {"summary " + a + " " + b, 0,
       Summary({"$8.33", "3", "3", "4.33", "$5.00", "$12.50"}), ""},
      {"summary " + Quoted(empty), 0,
       Summary({"$0.00", "0", "0", "0.00", "$0.00", "$0.00"}),
       empty + ": No Items In File\n"},
      {"analysis " + Quoted(empty), 0, "", empty + ": No Items In File\n"},
      {"summary " + a + " " + Quoted(none), 1, "",
       "Cannot open file " + none + ".\n"},
      {"analysis", 2, "", kUsage},
      {"analysis --today", 2, "", kUsage},
      {"analysis --today 2026-02-30 " + b, 2, "", kUsage},
      {"analysis --today 26-12-06 " + b, 2, "", kUsage},
      {"analysis --week " + b, 2, "", kUsage},
      {"summary", 2, "", kUsage},
      {"summary --all " + b, 2, "", kUsage},
      {"stats --json -- " + a, 0,
       "{\"count\": 2, \"mean\": 10.00, \"median\": 10.00, \"p10\": 8.00, "
       "\"p25\": 8.75, \"p75\": 11.25, \"p90\": 12.00, \"iqr\": 2.50, "
       "\"low\": 7.50, \"high\": 12.50, \"lower_fence\": 5.00, "
       "\"upper_fence\": 15.00, \"outside\": 0, \"typical\": 10.00}\n",
       ""},
      {"stats " + a + " >/dev/full", 1, "", kCannotWrite},
      {"summary -- " + a + " >&-", 1, "", kCannotWrite},
  });

  const CliRun run = RunCli("analysis --today 2026-12-06 " + b);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 42) << run.out;
  // 2026-11-23 was a Monday: both of that day's auctions end in hour 18, with 3
  // and 10 bids.
  EXPECT_NE(run.out.find("    18   2       13"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  MON    2        13"), std::string::npos) << run.out;
  const std::string today = RunCli("analysis " + b).out;
  EXPECT_EQ(std::count(today.begin(), today.end(), '\n'), 42);
}

}  // namespace
}  // namespace tolvane::testing
