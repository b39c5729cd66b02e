#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <sstream>
#include <string>
#include <vector>

#include "gui/qt_printer.h"
#include "listing/result_grid.h"
#include "reports/report.h"
#include "util/error.h"

namespace tolvane::gui {
namespace {

// What a Poppler tool prints about a PDF file.
std::string RunTool(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  process.waitForFinished();
  return process.readAllStandardOutput().toStdString();
}

// The column where `text` begins on the first line holding `marker`.
std::size_t ColumnOf(const std::string& text, const std::string& marker,
                     const std::string& value) {
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.find(marker) == std::string::npos) continue;
    return line.find(value, line.find(marker) + marker.size());
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
  QTemporaryDir folder;
  const QString pdf = folder.filePath("report.pdf");

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
  printer.setOutputFileName(pdf);
  QtPrinter(printer).Print(lines, kReportTitle);

  const std::string info = RunTool("pdfinfo", {pdf});
  EXPECT_NE(info.find("  Tolvane Statistics Report \n"), std::string::npos)
      << info;
  ASSERT_NE(info.find("Pages:"), std::string::npos) << info;
  EXPECT_GE(std::stoi(info.substr(info.find("Pages:") + 6)), 2);

  const std::string all = RunTool("pdftotext", {"-layout", pdf, "-"});
  for (const char* text :
       {"Search Expression:", "brass lamp", "-- end --", "Lamp number 149"}) {
    EXPECT_NE(all.find(text), std::string::npos) << text << "\n" << all;
  }
  // Every statistics value stands in one column; item lines with prices
  // and bids of different widths keep their bids and descriptions in
  // columns.
  const std::size_t value_column = ColumnOf(all, "Average End Price:", "$");
  ASSERT_NE(value_column, std::string::npos) << all;
  for (const std::string& line : memo) {
    if (line.find(':') == std::string::npos) continue;
    const std::string marker = line.substr(1, line.find(':'));
    const std::string value = line.substr(line.rfind('\t') + 1);
    EXPECT_EQ(ColumnOf(all, marker, value), value_column) << marker << all;
  }
  const std::size_t bids = ColumnOf(all, "1000000000", "-");
  const std::size_t descriptions = ColumnOf(all, "1000000000", "Lamp number");
  EXPECT_GT(descriptions, bids);
  const char* kItems[][3] = {{"1000000001", "7", "Lamp number 1"},
                             {"1000000002", "120", "Lamp number 2"}};
  for (const auto& [item, bid, description] : kItems) {
    EXPECT_EQ(ColumnOf(all, item, bid), bids) << all;
    EXPECT_EQ(ColumnOf(all, item, description), descriptions);
  }
}

// Catches a print dialog that, on a machine without printers, offers no
// usable target: OK must lead to a PDF file that the report is printed to.
TEST(PrintPdfTest, WithoutPrintersTheDialogPrintsToAPdfFile) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) {
    GTEST_SKIP() << "this machine has printers";
  }
  QTemporaryDir home;
  const QByteArray saved_home = qgetenv("HOME");
  qputenv("HOME", home.path().toLocal8Bit());

  QPrinter printer(QPrinter::HighResolution);
  QtPrintDialog dialog(nullptr, printer);
  // The user presses OK in the dialog as it comes up.
  QTimer::singleShot(0, [] {
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
      modal->accept();
  });
  const bool accepted = dialog.Execute(1);
  qputenv("HOME", saved_home);
  ASSERT_TRUE(accepted);
  EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
  EXPECT_EQ(printer.copyCount(), 1);

  QtPrinter(printer).Print({"", "-- end --"}, kReportTitle);
  const QString pdf = home.filePath("Tolvane Statistics Report.pdf");
  EXPECT_EQ(printer.outputFileName(), pdf);
  EXPECT_NE(RunTool("pdftotext", {"-layout", pdf, "-"}).find("-- end --"),
            std::string::npos);
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

}  // namespace
}  // namespace tolvane::gui
