#include "app/preference_file.h"

#include <cstdlib>

namespace tolvane {

std::string FilePreferenceStore::DefaultPath() {
  const char* override_path = std::getenv("TOLVANE_PREFS");
  if (override_path != nullptr && *override_path != '\0') return override_path;
  return "/var/lib/tolvane/prefs.reg";
}

bool FilePreferenceStore::KeyExists(const std::string& key) {
  return keys_.count(key) != 0;
}

bool FilePreferenceStore::OpenKey(const std::string& key, bool create) {
  if (create) keys_[key];
  return keys_.count(key) != 0;
}

bool FilePreferenceStore::ValueExists(const std::string& key,
                                      const std::string& name) {
  const auto it = keys_.find(key);
  return it != keys_.end() && it->second.count(name) != 0;
}

std::optional<std::int32_t> FilePreferenceStore::ReadInteger(
    const std::string& key, const std::string& name) {
  if (!ValueExists(key, name)) return std::nullopt;
  return keys_[key][name];
}

void FilePreferenceStore::WriteInteger(const std::string& key,
                                       const std::string& name,
                                       std::int32_t value) {
  keys_[key][name] = value;
}

}  // namespace tolvane
