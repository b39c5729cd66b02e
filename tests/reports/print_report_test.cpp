#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fakes.h"
#include "reports_fixture.h"

namespace tolvane {
namespace {

using testing_support::PutRow;
using Lines = std::vector<std::string>;

const Lines kMemo = {"\tAverage End Price:\t\t$15.00",
                     "\tTotal Items:\t\t2",
                     "\tTotal Checked:\t\t1",
                     "\tAverage number of bids:\t3.00",
                     "\tLow:\t\t\t$15.00",
                     "\tHigh:\t\t\t$15.00",
                     "\t* Results are computed from checked items."};

// Physical lines of the report up to the item lines, for the query "lamp".
Lines Head(const std::string& query, const Lines& memo) {
  Lines lines = {"", "", "Search Expression: \t" + query, "", ""};
  lines.insert(lines.end(), memo.begin(), memo.end());
  lines.insert(lines.end(), {"", ""});
  return lines;
}

Lines Concat(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct PrintCase {
  const char* name;
  std::vector<MbResult> answers;
  bool with_rows;
  std::string query;
  Lines expected_items;
  std::size_t questions;
};

class PrintReportTest : public ::testing::TestWithParam<PrintCase> {};

// Catches a wrong row choice (checked versus all), a question asked out of
// turn, item fields in the wrong order or the end time printed, and lost
// empty lines around the search expression.
TEST_P(PrintReportTest, ComposesTheReportLines) {
  const PrintCase& c = GetParam();
  fakes::FakeApp f;
  f.EdtQuery.SetText(c.query);
  f.MResultsLeft.lines = kMemo;
  if (c.with_rows) {
    PutRow(f, {"1234567890", "Brass lamp, old", "3", "$15.00", "Jun-01 10:00"});
    PutRow(f, {"1234567891", "Tin lamp", "-", "$1,204.50", "Jun-02 11:00"},
           false);
  }
  for (MbResult answer : c.answers) f.message_box.answers.push_back(answer);
  f.Dispatch([&] { f.FrmPrice->Print1Click(Sender{"Print1"}); });

  ASSERT_EQ(f.message_box.shown.size(), c.questions);
  EXPECT_EQ(f.message_box.shown[0].text, "Include items in printout?");
  EXPECT_EQ(f.message_box.shown[0].caption, "");
  EXPECT_EQ(f.message_box.shown[0].buttons, MbButtons::kYesNo);
  EXPECT_EQ(f.message_box.shown[0].icon, MbIcon::kNone);
  if (c.questions == 2) {
    EXPECT_EQ(f.message_box.shown[1].text,
              "Include unchecked items in printout?");
  }
  EXPECT_EQ(f.print_dialog.last_copies, 1);
  EXPECT_EQ(f.printer.jobs, 1);
  EXPECT_EQ(f.printer.title, " Tolvane Statistics Report ");
  const Lines expected =
      Concat(Concat(Head(c.query, kMemo), c.expected_items), {"-- end --"});
  EXPECT_EQ(f.printer.printed, expected);
  EXPECT_EQ(f.FrmPrice->RchEdtPrint(), expected);
}

const Lines kChecked = {"    1234567890\t$15.00\t3\tBrass lamp, old"};
const Lines kAll = {"    1234567890\t$15.00\t3\tBrass lamp, old",
                    "    1234567891\t$1,204.50\t-\tTin lamp"};

INSTANTIATE_TEST_SUITE_P(
    Answers, PrintReportTest,
    ::testing::Values(
        PrintCase{"No", {MbResult::kNo}, true, "lamp", {}, 1},
        PrintCase{"YesNo",
                  {MbResult::kYes, MbResult::kNo},
                  true,
                  "lamp",
                  kChecked,
                  2},
        PrintCase{
            "YesYes", {MbResult::kYes, MbResult::kYes}, true, "lamp", kAll, 2},
        PrintCase{"EmptySearchBox", {MbResult::kNo}, true, "", {}, 1},
        PrintCase{"EmptyGridWithItems",
                  {MbResult::kYes, MbResult::kYes},
                  false,
                  "lamp",
                  {},
                  2}),
    [](const auto& test) { return std::string(test.param.name); });

// Catches a report that recomputes the statistics or drops what the user
// typed into the memo, and breaks inside a row's text that are not honoured.
TEST(PrintReportTest, PrintsTheMemoAsTypedAndBreaksInsideLines) {
  fakes::FakeApp f;
  f.EdtQuery.SetText("a\nb");
  f.MResultsLeft.lines = {"my own notes", "", "\tTotal Items:\t\t9"};
  PutRow(f, {"1", "two\r\nlines", "1", "$2.00", "x"});
  f.message_box.answers = {MbResult::kYes, MbResult::kNo};
  f.Dispatch([&] { f.FrmPrice->Print1Click(Sender{"SpeedButton1"}); });
  const Lines expected = {"",
                          "",
                          "Search Expression: \ta",
                          "b",
                          "",
                          "",
                          "my own notes",
                          "",
                          "\tTotal Items:\t\t9",
                          "",
                          "",
                          "    1\t$2.00\t1\ttwo",
                          "lines",
                          "-- end --"};
  EXPECT_EQ(f.printer.printed, expected);
}

// Catches printing (or clearing the buffer) after the print dialog was
// cancelled.
TEST(PrintReportTest, CancelledPrintDialogPrintsNothing) {
  fakes::FakeApp f;
  f.print_dialog.accept = false;
  f.message_box.answers = {MbResult::kYes, MbResult::kYes};
  f.Dispatch([&] { f.FrmPrice->Print1Click(Sender{"CoolBar1"}); });
  EXPECT_EQ(f.print_dialog.runs, 1);
  EXPECT_EQ(f.printer.jobs, 0);
  EXPECT_TRUE(f.FrmPrice->RchEdtPrint().empty());
}

}  // namespace
}  // namespace tolvane
