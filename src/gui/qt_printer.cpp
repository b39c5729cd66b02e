#include "gui/qt_printer.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "gui/fonts.h"
#include "gui/text_codec.h"
#include "util/error.h"
#include "util/files.h"

namespace tolvane::gui {
namespace {

constexpr qreal kFontPoints = 8;
constexpr qreal kMarginMillimetres = 15;
constexpr const char* kPdfFileName = "Tolvane Statistics Report.pdf";
// A job the printer refused; a PDF file that cannot be written gets the
// program's usual file text instead.
constexpr const char* kPrintRefused = "The report could not be printed on %s";

// The failure of a print, in the program's own words.
[[noreturn]] void ThrowPrintFailed(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    throw Error(FormatMessage(
        kCannotCreateFile,
        QFile::encodeName(printer.outputFileName()).toStdString()));
  }
  throw Error(
      FormatMessage(kPrintRefused, printer.printerName().toStdString()));
}

// Splits a printable line into pieces no wider than the page.
QStringList Wrap(const QString& line, int columns) {
  if (line.size() <= columns) return {line};
  QStringList pieces;
  for (qsizetype at = 0; at < line.size(); at += columns) {
    pieces << line.mid(at, columns);
  }
  return pieces;
}

}  // namespace

QFont ReportFont() {
  // The windows' fixed-pitch face, sized in points: a printer's pixels are
  // far smaller than the screen's.
  QFont font = FixedFont(11);
  font.setStyleHint(QFont::TypeWriter);
  font.setKerning(false);
  font.setPointSizeF(kFontPoints);
  return font;
}

QString PrintableLine(const std::string& bytes) {
  const QString decoded = DisplayText(bytes);
  QString line;
  line.reserve(decoded.size());
  for (QChar c : decoded) {
    if (c == u'\t') {
      line += QString(kReportTabWidth - line.size() % kReportTabWidth, u' ');
    } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
      line += u' ';
    } else {
      line += c;
    }
  }
  return line;
}

bool QtPrintDialog::Execute(int copies) {
  printer_.setCopyCount(copies);
  // Without a printer the dialog offers only a PDF file: propose one in
  // the home folder so OK prints at once.
  if (QPrinterInfo::availablePrinters().isEmpty() &&
      printer_.outputFileName().isEmpty()) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QDir::home().filePath(kPdfFileName));
  }
  QPrintDialog dialog(&printer_, parent_);
  return dialog.exec() == QDialog::Accepted;
}

void QtPrinter::Print(const std::vector<std::string>& lines,
                      const std::string& job_title) {
  printer_.setDocName(QString::fromStdString(job_title));
  printer_.setCreator(QStringLiteral("Tolvane"));
  if (printer_.pageLayout().margins(QPageLayout::Millimeter).isNull()) {
    printer_.setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres,
                                      kMarginMillimetres, kMarginMillimetres),
                            QPageLayout::Millimeter);
  }
  QPainter painter;
  if (!painter.begin(&printer_)) ThrowPrintFailed(printer_);
  painter.setFont(ReportFont());
  const QFontMetricsF metrics(painter.font(), painter.device());
  const qreal advance = metrics.horizontalAdvance(QLatin1Char('M'));
  const qreal line_height = metrics.lineSpacing();
  const int columns =
      std::max(1, static_cast<int>(std::floor(printer_.width() / advance)));
  const int rows = std::max(
      1, static_cast<int>(std::floor(printer_.height() / line_height)));

  int row = 0;
  for (const std::string& bytes : lines) {
    for (const QString& piece : Wrap(PrintableLine(bytes), columns)) {
      if (row == rows) {
        if (!printer_.newPage()) {
          painter.end();
          ThrowPrintFailed(printer_);
        }
        row = 0;
      }
      painter.drawText(QPointF(0, row * line_height + metrics.ascent()), piece);
      ++row;
    }
  }
  if (!painter.end() || printer_.printerState() == QPrinter::Error ||
      printer_.printerState() == QPrinter::Aborted) {
    ThrowPrintFailed(printer_);
  }
}

}  // namespace tolvane::gui
