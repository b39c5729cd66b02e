#include "gui/qt_printer.h"

namespace tolvane::gui {

bool QtPrintDialog::Execute(int) { return false; }
void QtPrinter::Print(const std::vector<std::string>&, const std::string&) {}

}  // namespace tolvane::gui
