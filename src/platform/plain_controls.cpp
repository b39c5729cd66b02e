#include "platform/plain_controls.h"

#include "util/error.h"
#include "util/files.h"
#include "util/lines.h"

namespace tolvane {

void PlainTextBox::SetText(const std::string& value) {
  if (value == text) return;
  text = value;
  if (on_change) on_change();
}

void PlainMemo::Add(const std::string& text) {
  const std::vector<std::string> parts = MemoEntryLines(text);
  lines.insert(lines.end(), parts.begin(), parts.end());
}

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
  shown.push_back({text, caption, buttons, icon});
  if (on_show) on_show();
  if (!answers.empty()) {
    const MbResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == MbButtons::kYesNo ? MbResult::kYes : MbResult::kOk;
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

bool PlainPreferenceStore::OpenKey(const std::string& key, bool create) {
  if (keys.count(key) != 0) return true;
  if (!create || !writable) return false;
  keys[key];
  return true;
}

bool PlainPreferenceStore::ValueExists(const std::string& key,
                                       const std::string& name) {
  const auto it = keys.find(key);
  return it != keys.end() && it->second.count(name) != 0;
}

std::optional<std::int32_t> PlainPreferenceStore::ReadInteger(
    const std::string& key, const std::string& name) {
  const auto it = keys.find(key);
  if (it == keys.end()) return std::nullopt;
  const auto value = it->second.find(name);
  if (value == it->second.end()) return std::nullopt;
  if (!value->second.integer) {
    throw Error(FormatMessage("Invalid data type for '%s'", name));
  }
  return value->second.integer;
}

void PlainPreferenceStore::WriteInteger(const std::string& key,
                                        const std::string& name,
                                        std::int32_t value) {
  if (!writable) {
    throw Error(FormatMessage("Failed to set data for '%s'", name));
  }
  keys[key][name] = Value{value, {}};
}

}  // namespace tolvane
