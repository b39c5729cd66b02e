#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "literal_csv_walk.h"
#include "reports/csv_merge.h"
#include "util/files.h"

namespace tolvane {
namespace {

using Records = std::vector<ParsedItem>;
using testing::LiteralCsvWalk;

Records Walk(const std::string& text) {
  Records records;
  CsvMergeWalk walk(text);
  ParsedItem item{"stale", "stale", "stale", "stale", "stale"};
  do {
    walk.Next(item);
    records.push_back(item);
  } while (!walk.AtEnd());
  return records;
}

std::string Show(const Records& records) {
  std::string out;
  for (const ParsedItem& r : records) {
    out += "[" + r.Item + "|" + r.Description + "|" + r.Price + "|" + r.Bids +
           "|" + r.Ended + "]";
  }
  return out;
}

// Catches fields cut at the wrong place, a gap other than three, a walk
// that stops early or runs on (a stray last character, a missing closing
// mark), and a record missing for an empty text.
TEST(CsvMergeWalkTest, CutsRecordsAtQuotationMarksWithFixedGaps) {
  struct Case {
    std::string text;
    std::string records;
  } cases[] = {
      {R"("1","lamp","$2.00","3","Jun-01")", "[1|lamp|$2.00|3|Jun-01]"},
      {R"("1","a","$2","3","e""2","b","$5","-","f")",
       "[1|a|$2|3|e][2|b|$5|-|f]"},
      // One stray character after the last record is ignored.
      {R"("1","a","$2","3","e"x)", "[1|a|$2|3|e]"},
      {R"("1","a","$2","3","e"xy)", "[1|a|$2|3|e][||||]"},
      // A space after each comma shifts everything after the first field.
      {R"("1", "a", "$2", "3", "e")", "[1||, ||][||||]"},
      // A quotation mark inside a field ends it early.
      {R"("1","say "hi"","$2","3","e")", "[1|say |||][|,|||]"},
      {"", "[||||]"},
      {"\"", "[||||]"},
      {"x", "[||||]"},
      // No closing mark for a field: it is empty and the gap is cut anyway.
      {R"("1","abc)", "[1||||]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Show(LiteralCsvWalk(c.text)), c.records) << c.text;
    EXPECT_EQ(Show(Walk(c.text)), c.records) << c.text;
  }
}

// Catches any difference between the offset walk and the literal one on
// texts of every shape: quotation marks, commas, short tails, fields running
// past the end.
TEST(CsvMergeWalkTest, MatchesTheLiteralWalkOnRandomTexts) {
  std::mt19937 random(20240611);
  const std::string alphabet = "\"\",,a1 $";
  for (int round = 0; round < 5000; ++round) {
    const int length = static_cast<int>(random() % 60);
    std::string text;
    for (int i = 0; i < length; ++i) {
      text += alphabet[random() % alphabet.size()];
    }
    ASSERT_EQ(Show(Walk(text)), Show(LiteralCsvWalk(text))) << text;
  }
}

// Catches a joined text that differs from the file without its line breaks
// (a break kept inside a field, a line lost or doubled).
TEST(CsvMergeWalkTest, JoinedLinesAreTheFileWithoutBreaks) {
  const std::string files[] = {
      "",
      "\"1\",\"a\"\r\n\"2\",\"b\"\r\n",
      "\"1\"\r\n\r\n\"2\"",
      "a\rb\nc\r\n\n\r",
      "\r\n",
  };
  for (const std::string& file : files) {
    std::string expected = file;
    std::erase_if(expected, [](char c) { return c == '\n' || c == '\r'; });
    EXPECT_EQ(JoinCsvLines(SplitLines(file)), expected) << file;
  }
}

}  // namespace
}  // namespace tolvane
