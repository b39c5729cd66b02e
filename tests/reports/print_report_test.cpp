#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/report.h"
#include "reports_fixture.h"

namespace tolvane::testing {
namespace {

using Lines = std::vector<std::string>;

void Print(fakes::FakeApp& f, const std::vector<MbResult>& answers) {
  f.message_box.answers.assign(answers.begin(), answers.end());
  f.Dispatch([&] { f.FrmPrice->Print1Click(Sender{"Print1"}); });
}

// Catches a wrong row choice (checked versus all), a question asked out of
// turn, item fields in the wrong order or the end time printed, lost empty
// lines around the search expression, a report that recomputes the
// statistics or drops what the user typed into the memo, and breaks inside
// a row's text that are not honoured.
TEST(PrintReportTest, ComposesTheReportLines) {
  using enum MbResult;
  const ParsedItem kBrass{"1234567890", "Brass lamp, old", "3", "$15.00",
                          "Jun-01 10:00"};
  const ParsedItem kTin{"1234567891", "Tin lamp", "-", "$1,204.50", "e"};
  const ParsedItem kTwoLines{"1", "two\rlines", "1", "$2.00", "x"};
  const std::string kBrassLine = "    1234567890\t$15.00\t3\tBrass lamp, old";
  const std::string kTinLine = "    1234567891\t$1,204.50\t-\tTin lamp";
  struct Case {
    std::vector<MbResult> answers;
    std::vector<ParsedItem> rows;  // all checked but the Tin lamp
    std::string query;
    Lines search_lines, items;
  } cases[] = {
      {{kNo}, {kBrass, kTin}, "lamp", {"lamp"}, {}},
      {{kYes, kNo}, {kBrass, kTin}, "lamp", {"lamp"}, {kBrassLine}},
      {{kYes, kYes}, {kBrass, kTin}, "lamp", {"lamp"}, {kBrassLine, kTinLine}},
      {{kNo}, {kBrass, kTin}, "", {""}, {}},
      {{kYes, kYes}, {}, "lamp", {"lamp"}, {}},
      {{kYes, kNo},
       {kTwoLines},
       "a\nb",
       {"a", "b"},
       {"    1\t$2.00\t1\ttwo", "lines"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query + " " + std::to_string(c.answers.size()));
    fakes::FakeApp f;
    f.EdtQuery.SetText(c.query);
    f.MResultsLeft.lines = {"my own notes", "", "\tTotal Items:\t\t9"};
    for (const ParsedItem& row : c.rows) PutRow(f, row, row.Item != kTin.Item);
    Print(f, c.answers);
    ASSERT_EQ(f.message_box.shown.size(), c.answers.size());
    EXPECT_EQ(f.message_box.shown[0].text, "Include items in printout?");
    EXPECT_EQ(f.message_box.shown[0].caption, "");
    EXPECT_EQ(f.message_box.shown[0].buttons, MbButtons::kYesNo);
    EXPECT_EQ(f.message_box.shown[0].icon, MbIcon::kNone);
    if (c.answers.size() == 2) {
      EXPECT_EQ(f.message_box.shown[1].text,
                "Include unchecked items in printout?");
    }
    EXPECT_EQ(f.print_dialog.last_copies, 1);
    EXPECT_EQ(f.printer.jobs, 1);
    EXPECT_EQ(f.printer.title, " Tolvane Statistics Report ");
    Lines expected = {"", "", "Search Expression: \t" + c.search_lines[0]};
    expected.insert(expected.end(), c.search_lines.begin() + 1,
                    c.search_lines.end());
    expected.insert(expected.end(), {"", "", "my own notes", "",
                                     "\tTotal Items:\t\t9", "", ""});
    expected.insert(expected.end(), c.items.begin(), c.items.end());
    expected.push_back("-- end --");
    EXPECT_EQ(f.printer.printed, expected);
    EXPECT_EQ(f.FrmPrice->RchEdtPrint(), expected);
  }
  EXPECT_EQ(TextFileBytes({"", "a"}), "\r\na\r\n");  // lines under two bytes
}

// Catches printing (or clearing the buffer) after the print dialog was
// cancelled.
TEST(PrintReportTest, CancelledPrintDialogPrintsNothing) {
  fakes::FakeApp f;
  f.print_dialog.accept = false;
  Print(f, {MbResult::kYes, MbResult::kYes});
  EXPECT_EQ(f.print_dialog.runs, 1);
  EXPECT_EQ(f.printer.jobs, 0);
  EXPECT_TRUE(f.FrmPrice->RchEdtPrint().empty());
}

}  // namespace
}  // namespace tolvane::testing
