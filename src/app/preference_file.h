#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/services.h"

namespace tolvane {

// The machine-wide preference store: a text file in the registry export
// format.
class FilePreferenceStore : public PreferenceStore {
 public:
  explicit FilePreferenceStore(std::string path) : path_(std::move(path)) {}

  // TOLVANE_PREFS when set, else the machine-wide file.
  static std::string DefaultPath();

  bool KeyExists(const std::string& key) override;
  bool OpenKey(const std::string& key, bool create) override;
  bool ValueExists(const std::string& key, const std::string& name) override;
  std::optional<std::int32_t> ReadInteger(const std::string& key,
                                          const std::string& name) override;
  void WriteInteger(const std::string& key, const std::string& name,
                    std::int32_t value) override;

 private:
  std::string path_;
  std::map<std::string, std::map<std::string, std::int32_t>> keys_;
};

}  // namespace tolvane
