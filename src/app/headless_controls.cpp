#include "app/headless_controls.h"

#include "prefs/preference_file.h"
#include "util/error.h"
#include "util/lines.h"

namespace tolvane {

void KeptTextBox::SetText(const std::string& value) {
  if (value == text) return;
  text = value;
  if (on_change) on_change();
}

void KeptMemo::Add(const std::string& text) {
  const std::vector<std::string> parts = MemoEntryLines(text);
  lines.insert(lines.end(), parts.begin(), parts.end());
}

MbResult KeptMessages::Show(const std::string& text, const std::string& caption,
                            MbButtons buttons, MbIcon icon) {
  shown.push_back({text, caption, buttons, icon});
  return buttons == MbButtons::kYesNo ? MbResult::kYes : MbResult::kOk;
}

bool KeptPreferences::OpenKey(const std::string& key, bool create) {
  if (keys.count(key) != 0) return true;
  if (!create) return false;
  keys[key];
  return true;
}

bool KeptPreferences::ValueExists(const std::string& key,
                                  const std::string& name) {
  const auto it = keys.find(key);
  return it != keys.end() && it->second.count(name) != 0;
}

std::optional<std::int32_t> KeptPreferences::ReadInteger(
    const std::string& key, const std::string& name) {
  const auto it = keys.find(key);
  if (it == keys.end()) return std::nullopt;
  const auto value = it->second.find(name);
  if (value == it->second.end()) return std::nullopt;
  if (!value->second.integer) {
    throw Error(FormatMessage(kInvalidDataType, name));
  }
  return value->second.integer;
}

void KeptPreferences::WriteInteger(const std::string& key,
                                   const std::string& name,
                                   std::int32_t value) {
  keys[key][name] = Value{value, {}};
}

}  // namespace tolvane
