#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "literal_csv_walk.h"
#include "reports/csv_merge.h"

namespace tolvane {
namespace {

using Records = std::vector<ParsedItem>;
using testing::LiteralCsvWalk;

std::string Show(const Records& records) {
  std::string out;
  for (const ParsedItem& r : records) {
    out += "[" + r.Item + "|" + r.Description + "|" + r.Price + "|" + r.Bids +
           "|" + r.Ended + "]";
  }
  return out;
}

// The records the program's walk gives, shown as the literal walk's are.
std::string Walk(CsvMergeWalk&& walk) {
  Records records;
  ParsedItem item{"stale", "stale", "stale", "stale", "stale"};
  do {
    walk.Next(item);
    records.push_back(item);
  } while (!walk.AtEnd());
  return Show(records);
}

// Pins the literal walk itself, on the shapes that make its rules plain:
// fields cut at quotation marks with gaps of three, one stray character
// after the last record ignored and two read as a record, and an empty
// text still giving one.
TEST(CsvMergeWalkTest, CutsRecordsAtQuotationMarksWithFixedGaps) {
  struct Case {
    std::string text;
    std::string records;
  } cases[] = {{R"("1","a","$2","3","e""2","b","$5","-","f")",
                "[1|a|$2|3|e][2|b|$5|-|f]"},
               {R"("1","a","$2","3","e"x)", "[1|a|$2|3|e]"},
               {R"("1","a","$2","3","e"xy)", "[1|a|$2|3|e][||||]"},
               {"", "[||||]"}};
  for (const Case& c : cases) {
    EXPECT_EQ(Show(LiteralCsvWalk(c.text)), c.records) << c.text;
    EXPECT_EQ(Walk(CsvMergeWalk(c.text)), c.records) << c.text;
  }
}

// Catches any difference between the offset walk and the literal one on
// texts of every shape (quotation marks, commas, short tails, fields running
// past the end, long stretches without quotation marks), and, read from a
// file a few bytes at a time, a stretch lost or doubled where one read ends
// and the next begins, a quotation mark skipped after a stretch searched in
// vain, or a line break kept.
TEST(CsvMergeWalkTest, MatchesTheLiteralWalkOnRandomTexts) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 6000; ++round) {
    const std::string alphabet =
        round % 2 == 0 ? "\"\",,a1 $\r\n" : "\",,,,,,,aaaaaaaaa111  $$\r\n\r\n";
    const int length = static_cast<int>(random() % 60);
    std::string file;
    for (int i = 0; i < length; ++i)
      file += alphabet[random() % alphabet.size()];
    std::string text = file;
    std::erase_if(text, [](char c) { return c == '\n' || c == '\r'; });
    const std::string want = Show(LiteralCsvWalk(text));
    ASSERT_EQ(Walk(CsvMergeWalk(text)), want) << text;
    std::size_t read = 0;
    CsvMergeWalk walk(
        [&](char* buffer, std::size_t size) {
          const std::size_t n = std::min(size, file.size() - read);
          file.copy(buffer, n, read);
          read += n;
          return n;
        },
        round % 3 == 0 ? 64 : 1 + random() % 4);
    ASSERT_EQ(walk.NothingRead(), file.empty());
    ASSERT_EQ(Walk(std::move(walk)), want) << file;
  }
}

}  // namespace
}  // namespace tolvane
