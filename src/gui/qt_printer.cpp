#include "gui/qt_printer.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

namespace tolvane::gui {
namespace {

constexpr const char* kPreferredFont = "QuickType Mono";
constexpr const char* kFallbackFont = "DejaVu Sans Mono";
constexpr qreal kFontPoints = 8;
constexpr qreal kMarginMillimetres = 15;
constexpr const char* kPdfFileName = "Tolvane Statistics Report.pdf";

// The bytes 0x80 to 0x9F of Windows-1252; the rest of the upper half is
// Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString Decode(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  if (!utf8.hasError()) return text;
  text.clear();
  text.reserve(qsizetype(bytes.size()));
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += (byte >= 0x80 && byte < 0xA0) ? QChar(kWindows1252High[byte - 0x80])
                                          : QChar(char16_t(byte));
  }
  return text;
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
  QFont font;
  if (QFontDatabase::hasFamily(kPreferredFont)) {
    font = QFont(kPreferredFont);
  } else {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font).fixedPitch()) font = QFont(kFallbackFont);
  }
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setKerning(false);
  font.setPointSizeF(kFontPoints);
  return font;
}

QString PrintableLine(const std::string& bytes) {
  const QString decoded = Decode(bytes);
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
  if (!painter.begin(&printer_)) return;
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
        printer_.newPage();
        row = 0;
      }
      painter.drawText(QPointF(0, row * line_height + metrics.ascent()), piece);
      ++row;
    }
  }
  painter.end();
}

}  // namespace tolvane::gui
