#pragma once

#include <QFont>
#include <QPrinter>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/services.h"

namespace tolvane::gui {

// PrntDlg: the print dialog over the program's one printer object. Where no
// printer is installed it offers printing to a PDF file, with a name ready.
class QtPrintDialog : public PrintDialog {
 public:
  QtPrintDialog(QWidget* parent, QPrinter& printer)
      : parent_(parent), printer_(printer) {}
  bool Execute(int copies) override;

 private:
  QWidget* parent_;
  QPrinter& printer_;
};

// Prints text lines in a fixed-pitch font on the printer the dialog chose,
// page after page, with tabs at fixed character columns so the statistics
// and item lines stand in columns.
class QtPrinter : public Printer {
 public:
  explicit QtPrinter(QPrinter& printer) : printer_(printer) {}
  void Print(const std::vector<std::string>& lines,
             const std::string& job_title) override;

 private:
  QPrinter& printer_;
};

// The report's font: the windows' fixed-pitch face ("QuickType Mono" where
// installed) at 8 points.
QFont ReportFont();

// Characters per tab stop. Ten puts the value of every statistics line in
// one column.
inline constexpr int kReportTabWidth = 10;

// A report line as printed: the bytes decoded (UTF-8 when valid, else
// Windows-1252), tabs expanded to the next stop, other control characters
// shown as blanks.
QString PrintableLine(const std::string& bytes);

}  // namespace tolvane::gui
