#include "gui/qt_file_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

#include "gui/text_codec.h"

namespace tolvane::gui {
namespace {

// The pattern list in a description's closing parentheses, if any.
QString TrailingPatterns(const QString& description) {
  const QString trimmed = description.trimmed();
  if (!trimmed.endsWith(QLatin1Char(')'))) return {};
  const qsizetype open = trimmed.lastIndexOf(QLatin1Char('('));
  if (open < 0) return {};
  return trimmed.mid(open + 1, trimmed.size() - open - 2).simplified();
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = DisplayText(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns = patterns.simplified();
    // The dialog matches patterns without regard to case, so "Text (*.txt)"
    // already names *.TXT.
    if (TrailingPatterns(description).compare(patterns, Qt::CaseInsensitive) ==
        0) {
      filters.append(description);
    } else {
      filters.append(description + QStringLiteral(" (") + patterns +
                     QLatin1Char(')'));
    }
  }
  if (parts.size() % 2 == 1 && !parts.back().isEmpty()) {
    filters.append(parts.back());
  }
  return filters;
}

bool QtFileDialog::ExecuteSave(FileDialogSettings& settings) {
  return Execute(settings, true);
}

bool QtFileDialog::ExecuteOpen(FileDialogSettings& settings) {
  return Execute(settings, false);
}

bool QtFileDialog::Execute(FileDialogSettings& settings, bool save) {
  QFileDialog dialog(QApplication::activeWindow(), DisplayText(settings.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave
                            : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = QtNameFilters(settings.filter);
  dialog.setNameFilters(filters);
  if (settings.filter_index >= 1 && settings.filter_index <= filters.size()) {
    dialog.selectNameFilter(filters[settings.filter_index - 1]);
  }
  dialog.setDefaultSuffix(DisplayText(settings.default_ext));
  if (!settings.file_name.empty()) {
    dialog.selectFile(QFile::decodeName(settings.file_name.c_str()));
  }
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  settings.file_name = QFile::encodeName(chosen.front()).toStdString();
  const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
  if (index >= 0) settings.filter_index = static_cast<int>(index) + 1;
  return true;
}

}  // namespace tolvane::gui
