#pragma once

#include <QPrinter>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/services.h"

namespace tolvane::gui {

// PrntDlg: the print dialog over the program's one printer object.
class QtPrintDialog : public PrintDialog {
 public:
  QtPrintDialog(QWidget* parent, QPrinter& printer)
      : parent_(parent), printer_(printer) {}
  bool Execute(int copies) override;

 private:
  QWidget* parent_;
  QPrinter& printer_;
};

// Prints text lines in a fixed-pitch font on the printer the dialog chose.
class QtPrinter : public Printer {
 public:
  explicit QtPrinter(QPrinter& printer) : printer_(printer) {}
  void Print(const std::vector<std::string>& lines,
             const std::string& job_title) override;

 private:
  QPrinter& printer_;
};

}  // namespace tolvane::gui
