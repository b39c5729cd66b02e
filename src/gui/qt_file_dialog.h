#pragma once

#include <QStringList>
#include <string>
#include <vector>

#include "platform/services.h"

namespace tolvane::gui {

// The open and save dialogs (OpnDlg, SvDlg) over QFileDialog, with the
// settings the core keeps: title, filter, selected filter, proposed name
// and default extension. The save dialog asks before replacing a file.
class QtFileDialog : public FileDialog {
 public:
  bool ExecuteSave(FileDialogSettings& settings) override;
  bool ExecuteOpen(FileDialogSettings& settings) override;
  bool ExecuteOpenFiles(FileDialogSettings& settings,
                        std::vector<std::string>& files) override;

 private:
  enum class Mode { kSave, kOpen, kOpenFiles };
  bool Execute(FileDialogSettings& settings, Mode mode,
               std::vector<std::string>& files);
};

// Turns a filter of "description|patterns|description|patterns" pairs
// (patterns separated by ';') into Qt's "description (patterns)" entries. A
// description that already ends in its pattern list is kept as it is.
QStringList QtNameFilters(const std::string& filter);

}  // namespace tolvane::gui
