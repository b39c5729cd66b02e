#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/registry_text.h"
#include "platform/services.h"

namespace tolvane {

inline constexpr const char* kInvalidDataType = "Invalid data type for '%s'";
inline constexpr const char* kFailedToSetData = "Failed to set data for '%s'";
inline constexpr const char* kPrefsVariable = "TOLVANE_PREFS";
inline constexpr const char* kMachinePrefsPath = "/var/lib/tolvane/prefs.reg";
// The hive the program's keys live under; the file names keys in full.
inline constexpr const char* kHiveName = "HKEY_LOCAL_MACHINE";

// The machine-wide preference store: a text file in the registry export
// format, read afresh by every operation so that several running copies of
// the program see each other's changes.
//
// Every change rewrites the whole file through a temporary file renamed over
// it, under an exclusive lock on "<file>.lock", after reading the file again
// inside the lock: two copies storing at once never lose each other's
// values. A file that cannot be understood is copied to
// "<file>.corrupt-<UTC time>" before a fresh one replaces it. Where the file
// cannot be written (no rights, no folder), reads find what is there or
// nothing, and writes fail.
class FilePreferenceStore : public PreferenceStore {
 public:
  explicit FilePreferenceStore(std::string path) : path_(std::move(path)) {}

  // TOLVANE_PREFS when set, else the machine-wide file.
  static std::string DefaultPath();

  const std::string& Path() const { return path_; }

  bool KeyExists(const std::string& key) override;
  bool OpenKey(const std::string& key, bool create) override;
  bool ValueExists(const std::string& key, const std::string& name) override;
  std::optional<std::int32_t> ReadInteger(const std::string& key,
                                          const std::string& name) override;
  void WriteInteger(const std::string& key, const std::string& name,
                    std::int32_t value) override;

 private:
  // The file as it stands; empty when it is missing, unreadable or not
  // understood.
  RegistryText Load() const;
  // Applies the change to a fresh read of the file under the lock and
  // writes the result. False when the file cannot be written.
  bool Update(const std::function<void(RegistryText&)>& change);
  bool KeepCorruptCopy(const std::string& bytes) const;

  std::string path_;
};

}  // namespace tolvane
