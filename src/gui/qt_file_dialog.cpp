#include "gui/qt_file_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

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

// The extension of a name filter's first pattern ("csv" of
// "Comma Separated Value (*.csv)"); empty for a pattern such as "*" or "*.*".
QString FilterExtension(const QString& name_filter) {
  const QString patterns = TrailingPatterns(name_filter);
  const QString first = patterns.section(QLatin1Char(' '), 0, 0);
  if (!first.startsWith(QLatin1String("*."))) return {};
  const QString extension = first.mid(2);
  if (extension.contains(QLatin1Char('*')) ||
      extension.contains(QLatin1Char('?'))) {
    return {};
  }
  return extension;
}

// The chosen name with the chosen file type's extension, unless it already
// ends in the extension of one of the offered types: a dot elsewhere in the
// name ("lamp 1.5") is part of the name.
QString WithTypeExtension(const QString& name, const QString& name_filter,
                          const QStringList& name_filters,
                          const QString& default_ext) {
  QString extension = FilterExtension(name_filter);
  if (extension.isEmpty()) extension = default_ext;
  if (extension.isEmpty() || QFileInfo(name).isDir()) return name;
  for (const QString& offered : name_filters) {
    const QString known = FilterExtension(offered);
    if (!known.isEmpty() &&
        name.endsWith(QLatin1Char('.') + known, Qt::CaseInsensitive)) {
      return name;
    }
  }
  return name + QLatin1Char('.') + extension;
}

// Saving, the dialog gives the name its type's extension before it checks for a
// file to replace, so the question names the file that will be written.
class TypedFileDialog : public QFileDialog {
 public:
  TypedFileDialog(QWidget* parent, const QString& caption,
                  const QString& default_ext)
      : QFileDialog(parent, caption), default_ext_(default_ext) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (acceptMode() == QFileDialog::AcceptSave && files.size() == 1) {
      const QString named = WithTypeExtension(
          files.front(), selectedNameFilter(), nameFilters(), default_ext_);
      if (named != files.front()) selectFile(named);
    }
    QFileDialog::accept();
  }

 private:
  QString default_ext_;
};

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
  std::vector<std::string> files;
  return Execute(settings, Mode::kSave, files);
}

bool QtFileDialog::ExecuteOpen(FileDialogSettings& settings) {
  std::vector<std::string> files;
  return Execute(settings, Mode::kOpen, files);
}

bool QtFileDialog::ExecuteOpenFiles(FileDialogSettings& settings,
                                    std::vector<std::string>& files) {
  return Execute(settings, Mode::kOpenFiles, files);
}

bool QtFileDialog::Execute(FileDialogSettings& settings, Mode mode,
                           std::vector<std::string>& files) {
  const bool save = mode == Mode::kSave;
  const QString default_ext = DisplayText(settings.default_ext);
  TypedFileDialog dialog(QApplication::activeWindow(),
                         DisplayText(settings.title), default_ext);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave
                            : QFileDialog::AcceptOpen);
  dialog.setFileMode(save                       ? QFileDialog::AnyFile
                     : mode == Mode::kOpenFiles ? QFileDialog::ExistingFiles
                                                : QFileDialog::ExistingFile);
  const QStringList filters = QtNameFilters(settings.filter);
  dialog.setNameFilters(filters);
  if (settings.filter_index >= 1 && settings.filter_index <= filters.size()) {
    dialog.selectNameFilter(filters[settings.filter_index - 1]);
  }
  // The open dialog finds names as typed; the save dialog adds the chosen
  // type's extension itself.
  if (!save) dialog.setDefaultSuffix(default_ext);
  if (!settings.file_name.empty()) {
    dialog.selectFile(QFile::decodeName(settings.file_name.c_str()));
  }
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  QString name = chosen.front();
  // A desktop's own dialog does not run accept() above.
  if (save) {
    name = WithTypeExtension(name, dialog.selectedNameFilter(), filters,
                             default_ext);
  }
  settings.file_name = QFile::encodeName(name).toStdString();
  const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
  if (index >= 0) settings.filter_index = static_cast<int>(index) + 1;
  files.clear();
  for (const QString& file : chosen) {
    files.push_back(QFile::encodeName(file).toStdString());
  }
  return true;
}

}  // namespace tolvane::gui
