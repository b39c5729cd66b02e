#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "gui/qt_printer.h"
#include "listing/result_grid.h"
#include "reports/report.h"
#include "util/error.h"

namespace tolvane::gui {
namespace {

namespace fs = std::filesystem;

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    output.append(buffer, n);
  }
  ::pclose(pipe);
  return output;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The column where `text` begins on the first line holding `marker`.
std::size_t ColumnOf(const std::vector<std::string>& lines,
                     const std::string& marker, const std::string& text) {
  for (const std::string& line : lines) {
    if (line.find(marker) == std::string::npos) continue;
    return line.find(text, line.find(marker) + marker.size());
  }
  return std::string::npos;
}

ResultGrid SampleGrid(int rows) {
  ResultGrid grid;
  const char* prices[] = {"$1.00", "$1,234.56", "$15.50"};
  const char* bids[] = {"-", "7", "120"};
  for (int i = 0; i < rows; ++i) {
    ParsedItem item{std::to_string(1000000000 + i),
                    "Lamp number " + std::to_string(i), bids[i % 3],
                    prices[i % 3], "Jun-01 10:00"};
    grid.Append(*MakeRow(item, RegionalSettings::UnitedStates()));
  }
  return grid;
}

// Catches a report printed in a proportional font or with tabs that do not
// stop at fixed columns (the values and item fields would not stand in
// columns), a lost job title, and a report cut off after the first page.
TEST(PrintPdfTest, PrintsTheReportInColumnsUnderItsTitle) {
  const fs::path folder = fs::temp_directory_path() /
                          ("tolvane_print_pdf_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string pdf = (folder / "report.pdf").string();

  const std::vector<std::string> memo = {
      "\tAverage End Price:\t\t$416.77",
      "\tTotal Items:\t\t150",
      "\tTotal Checked:\t\t150",
      "\tAverage number of bids:\t42.33",
      "\tLow:\t\t\t$1.00",
      "\tHigh:\t\t\t$1,234.56",
      "\t* Results are computed from checked items."};
  const std::vector<std::string> lines =
      ComposeReport("brass lamp", memo, SampleGrid(150), ReportItems::kAll);

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  QtPrinter(printer).Print(lines, kReportTitle);
  ASSERT_TRUE(fs::exists(pdf));

  std::string title;
  int pages = 0;
  for (const std::string& line :
       Split(RunCommand("pdfinfo '" + pdf + "' 2>&1"))) {
    if (line.rfind("Title:", 0) == 0) title = line;
    if (line.rfind("Pages:", 0) == 0) pages = std::stoi(line.substr(6));
  }
  EXPECT_TRUE(title.ends_with("  Tolvane Statistics Report ")) << title;
  EXPECT_GE(pages, 2);

  const std::vector<std::string> text =
      Split(RunCommand("pdftotext -layout '" + pdf + "' - 2>&1"));
  ASSERT_FALSE(text.empty()) << "pdftotext printed nothing";
  const std::string all = [&] {
    std::string joined;
    for (const std::string& line : text) joined += line + "\n";
    return joined;
  }();
  EXPECT_NE(all.find("Search Expression:"), std::string::npos) << all;
  EXPECT_NE(all.find("brass lamp"), std::string::npos);
  EXPECT_NE(all.find("-- end --"), std::string::npos);
  EXPECT_NE(all.find("Lamp number 149"), std::string::npos);

  // Every statistics value stands in one column.
  const std::size_t value_column = ColumnOf(text, "Average End Price:", "$");
  ASSERT_NE(value_column, std::string::npos) << all;
  EXPECT_EQ(ColumnOf(text, "Total Items:", "150"), value_column) << all;
  EXPECT_EQ(ColumnOf(text, "Total Checked:", "150"), value_column);
  EXPECT_EQ(ColumnOf(text, "Average number of bids:", "42.33"), value_column);
  EXPECT_EQ(ColumnOf(text, "Low:", "$1.00"), value_column);
  EXPECT_EQ(ColumnOf(text, "High:", "$1,234.56"), value_column);

  // Item lines with prices and bids of different widths keep their bids
  // and descriptions in columns.
  const std::size_t bids_column = ColumnOf(text, "1000000000", "-");
  const std::size_t description_column =
      ColumnOf(text, "1000000000", "Lamp number 0");
  ASSERT_NE(bids_column, std::string::npos) << all;
  EXPECT_EQ(ColumnOf(text, "1000000001", "7"), bids_column) << all;
  EXPECT_EQ(ColumnOf(text, "1000000002", "120"), bids_column);
  EXPECT_EQ(ColumnOf(text, "1000000001", "Lamp number 1"), description_column);
  EXPECT_EQ(ColumnOf(text, "1000000002", "Lamp number 2"), description_column);
  EXPECT_GT(description_column, bids_column);

  fs::remove_all(folder);
}

// Catches a print dialog that, on a machine without printers, offers no
// usable target: OK must lead to a PDF file that the report is printed to.
TEST(PrintPdfTest, WithoutPrintersTheDialogPrintsToAPdfFile) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) {
    GTEST_SKIP() << "this machine has printers";
  }
  const fs::path home = fs::temp_directory_path() /
                        ("tolvane_print_home_" + std::to_string(::getpid()));
  fs::create_directories(home);
  const std::string saved_home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", home.c_str(), 1);

  QPrinter printer(QPrinter::HighResolution);
  QtPrintDialog dialog(nullptr, printer);
  // The user presses OK in the dialog as it comes up.
  QTimer::singleShot(0, [] {
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
      modal->accept();
  });
  const bool accepted = dialog.Execute(1);
  ::setenv("HOME", saved_home.c_str(), 1);
  ASSERT_TRUE(accepted);
  EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
  EXPECT_EQ(printer.copyCount(), 1);

  QtPrinter(printer).Print({"", "-- end --"}, kReportTitle);
  const fs::path pdf = home / "Tolvane Statistics Report.pdf";
  EXPECT_EQ(printer.outputFileName().toStdString(), pdf.string());
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_NE(RunCommand("pdftotext -layout '" + pdf.string() + "' - 2>&1")
                .find("-- end --"),
            std::string::npos);
  fs::remove_all(home);
}

// Catches a print that fails in silence: a PDF file that cannot be written
// must end the command with the program's file text.
TEST(PrintPdfTest, APdfFileThatCannotBeWrittenIsReported) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::string path = "/nonexistent-tolvane-folder/report.pdf";
  printer.setOutputFileName(QString::fromStdString(path));
  try {
    QtPrinter(printer).Print({"-- end --"}, kReportTitle);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file " + path);
  }
}

// Catches bytes that are not UTF-8 shown as garbage, and tabs expanded to a
// fixed count of blanks instead of to the next stop.
TEST(PrintPdfTest, PrintableLinesDecodeAndExpandTabs) {
  struct Case {
    std::string bytes;
    QString shown;
  } cases[] = {
      {"a\tb", QStringLiteral("a         b")},
      {"\tx", QStringLiteral("          x")},
      {"0123456789\tz", QStringLiteral("0123456789          z")},
      {"caf\xC3\xA9", QStringLiteral("caf\u00E9")},
      {"caf\xE9 \x80", QStringLiteral("caf\u00E9 \u20AC")},
      {std::string("a\0b", 3), QStringLiteral("a b")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintableLine(c.bytes), c.shown) << c.bytes;
  }
  EXPECT_TRUE(QFontInfo(ReportFont()).fixedPitch());
  EXPECT_EQ(ReportFont().pointSizeF(), 8.0);
}

}  // namespace
}  // namespace tolvane::gui
