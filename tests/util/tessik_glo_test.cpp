#include "util/tessik_glo.h"

#include <gtest/gtest.h>

#include <string>

#include "app/temp_folder.h"

namespace tolvane {
namespace {

using namespace std::string_literals;

struct FindCase {
  std::string text;
  std::string pattern;
  int find;
  int find_plain;
};

// Catches off-by-one errors at both ends and the narrower scan of FindPlain.
TEST(TessikGloTest, FindAndFindPlainPositions) {
  const std::string long_text = std::string(31999, 'a') + "Z";
  const std::string exact = std::string(32000, 'b');
  const FindCase cases[] = {
      {"abc", "", -1, 1},
      {"abc", "abcd", -1, -1},
      {"abc", "c", 3, -1},
      {"aXbX", "X", 2, 2},
      {"abc", "abc", 1, -1},
      {"abcd", "c", 3, 3},
      {"abcd", "a", 1, 1},
      {"", "", -1, -1},
      {"", "a", -1, -1},
      {"a", "", -1, 1},
      {"ab", "", -1, 1},
      {"x\0yc"s, "c", 4, -1},   // the plain scan ends at the zero byte
      {"ab\0cd"s, "b", 2, -1},  // "ab" is the whole plain text
      {"abc\0de"s, "b", 2, 2},
      {"\0\0z"s, "\0z"s, 2, -1},
      {"xaby", "ab\0c"s, -1, 2},  // the plain pattern ends at its zero
      {long_text, "Z", 32000, -1},
      {long_text + "q", "Z", 32000, 32000},
      {exact + "c", "c", 32001, -1},
      {exact, "bb", 1, 1},
      {"AbC", "abc", -1, -1},  // case matters
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE("text of " + std::to_string(c.text.size()) + " pattern '" +
                 c.pattern + "'");
    EXPECT_EQ(TessikGlo::Find(c.text, c.pattern), c.find);
    EXPECT_EQ(TessikGlo::FindPlain(c.text, c.pattern), c.find_plain);
  }
}

// Catches a replacement that lands one character off or replaces twice.
TEST(TessikGloTest, ReplaceFirstReplacesOnlyTheFirst) {
  struct Case {
    std::string text, pattern, replacement, result;
    int position;
  };
  const Case cases[] = {{"a,b,c", ",", "", "ab,c", 2},
                        {"abc", "x", "y", "abc", -1},
                        {"abc", "", "y", "abc", -1},
                        {"ViewItem&item=1ViewItem&item=2",
                         "ViewItem&item=", "V", "V1ViewItem&item=2", 1},
                        {"abc", "c", "CC", "abCC", 3},
                        {"abc", "abc", "", "", 1},
                        {"a\0b"s, "\0"s, "-", "a-b", 2}};
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(TessikGlo::ReplaceFirst(text, c.pattern, c.replacement),
              c.position);
    EXPECT_EQ(text, c.result);
  }
}

TEST(TessikGloTest, ReplaceAllEveryShape) {
  struct Case {
    std::string text, pattern, replacement, result;
  };
  const Case cases[] = {{"a b c", " ", "+", "a+b+c"},
                        {"x,,y", ",", "", "xy"},
                        {"a +b +c", " +", " %2B", "a %2Bb %2Bc"},
                        {"\"q\"", "\"", "%22", "%22q%22"},
                        {"a,b", ",", "  .", "a  .b"},
                        {"", ",", "", ""},
                        {"aaa", "aa", "b", "ba"},
                        {"x\0y"s, "\0"s, "", "xy"}};
  for (const Case& c : cases) {
    const std::string original = c.text;
    EXPECT_EQ(TessikGlo::ReplaceAll(c.text, c.pattern, c.replacement),
              c.result);
    EXPECT_EQ(c.text, original);
  }
}

// Catches TailAfter taking a failed search (-1) as "keep everything", and
// SubString bounds that let a negative count or a start outside the text
// through.
TEST(TessikGloTest, TailAfterAndSubString) {
  EXPECT_EQ(TessikGlo::TailAfter("abcdef", 2), "cdef");
  EXPECT_EQ(TessikGlo::TailAfter("abc", 0), "abc");
  EXPECT_EQ(TessikGlo::TailAfter("abc", 3), "");
  EXPECT_EQ(TessikGlo::TailAfter("abc", -1), "");
  EXPECT_EQ(TessikGlo::TailAfter("abc", 2147483647), "");
  EXPECT_EQ(SubString("abcdef", 2, 3), "bcd");
  EXPECT_EQ(SubString("abcdef", 0, 3), "");
  EXPECT_EQ(SubString("abcdef", 6, 9), "f");
  EXPECT_EQ(SubString("abcdef", 7, 1), "");
  EXPECT_EQ(SubString("abcdef", 1, -1), "");
  EXPECT_EQ(SubString("abcdef", -2147483647 - 1, 5), "");
}

TEST(TessikGloTest, TrimAllRemovesControlCharactersAtBothEnds) {
  struct Case {
    std::string text, result;
  };
  const Case cases[] = {{"  a b  ", "a b"}, {"\t\r\n x\x01", "x"},
                        {"   ", ""},        {"", ""},
                        {"\0a\0"s, "a"},    {"a\xA0", "a\xA0"}};
  for (const Case& c : cases) {
    std::string text = c.text;
    TessikGlo::TrimAll(text);
    EXPECT_EQ(text, c.result);
  }
}

TEST(TessikGloTest, IsAllDigits) {
  struct Case {
    std::string text;
    bool result;
  };
  const Case cases[] = {{"", false},    {"0042", true}, {"12\n", true},
                        {"-", false},   {"1.5", false}, {" 7", false},
                        {"1\0"s, true}, {"+1", false},  {"1,000", false},
                        {"\n", true}};
  for (const Case& c : cases)
    EXPECT_EQ(TessikGlo::IsAllDigits(c.text), c.result) << c.text;
}

TEST(TessikGloTest, CleanPriceRemovesOneOfEach) {
  EXPECT_EQ(TessikGlo::CleanPrice("$12.50"), "12.50");
  EXPECT_EQ(TessikGlo::CleanPrice("$ 1,000.00"), "1000.00");
  EXPECT_EQ(TessikGlo::CleanPrice("12.50"), "12.50");
  EXPECT_EQ(TessikGlo::CleanPrice("$1,234.56"), "1234.56");
  EXPECT_EQ(TessikGlo::CleanPrice("$1,234,567.00"), "1234,567.00");
  EXPECT_EQ(TessikGlo::CleanPrice("$$1"), "$1");
}

TEST(TessikGloTest, MonthAndDayTables) {
  const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int i = 0; i < 12; ++i) {
    const std::string expected = (i < 9 ? "0" : "") + std::to_string(i + 1);
    EXPECT_EQ(TessikGlo::MonthNumber(months[i]), expected);
  }
  for (const char* other : {"jan", "", "January", "JAN", "Ja", "01"})
    EXPECT_EQ(TessikGlo::MonthNumber(other), "13");
  const char* days[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(TessikGlo::DayName(i), days[i]);
  EXPECT_EQ(TessikGlo::DayName(-1), "***");
  EXPECT_EQ(TessikGlo::DayName(7), "***");
}

// A file that never becomes readable (missing, or a folder) must not stop
// the program.
TEST(TessikGloTest, LoadFileReadsLinesAndSurvivesAMissingFile) {
  testing::TempFolder folder;
  testing::WriteText(folder / "page.htm", "one\r\ntwo\nthree\rfour");
  std::vector<std::string> lines{"old"};
  EXPECT_TRUE(TessikGlo::LoadFile(lines, folder / "page.htm", 99));
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four"}));
  for (const std::string& unreadable :
       {folder / "missing.htm", folder.path().string()}) {
    lines = {"old"};
    EXPECT_TRUE(TessikGlo::LoadFile(lines, unreadable, 99));
    EXPECT_TRUE(lines.empty());
  }
}

}  // namespace
}  // namespace tolvane
