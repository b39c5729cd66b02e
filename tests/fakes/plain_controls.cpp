#include "fakes/plain_controls.h"

#include "prefs/preference_file.h"
#include "util/error.h"
#include "util/files.h"

namespace tolvane {

SaveResult PlainBrowser::SaveDocument(const std::string& path) {
  if (general_failures > 0) {
    --general_failures;
    return SaveResult::kGeneralFailure;
  }
  if (!document) return SaveResult::kNoDocument;
  WriteFileAtomically(path, *document);
  return SaveResult::kOk;
}

MbResult PlainMessageBox::Show(const std::string& text,
                               const std::string& caption, MbButtons buttons,
                               MbIcon icon) {
  const MbResult usual = KeptMessages::Show(text, caption, buttons, icon);
  if (on_show) on_show();
  if (answers.empty()) return usual;
  const MbResult answer = answers.front();
  answers.pop_front();
  return answer;
}

bool PlainFileDialog::Answer(FileDialogSettings& settings,
                             std::vector<FileDialogSettings>& seen) {
  seen.push_back(settings);
  if (answers.empty()) return false;
  const std::optional<std::string> answer = answers.front();
  answers.pop_front();
  if (!answer) return false;
  settings.file_name = *answer;
  return true;
}

bool PlainFileDialog::ExecuteOpenFiles(FileDialogSettings& settings,
                                       std::vector<std::string>& files) {
  open_seen.push_back(settings);
  if (files_answers.empty()) return false;
  files = std::move(files_answers.front());
  files_answers.pop_front();
  if (files.empty()) return false;
  settings.file_name = files.front();
  return true;
}

void PlainPreferenceStore::WriteInteger(const std::string& key,
                                        const std::string& name,
                                        std::int32_t value) {
  if (!writable) {
    throw Error(FormatMessage(kFailedToSetData, name));
  }
  KeptPreferences::WriteInteger(key, name, value);
}

}  // namespace tolvane
