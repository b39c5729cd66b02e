#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/services.h"
#include "prefs/notices.h"
#include "prefs/preference_files.h"
#include "prefs/registry_text.h"

namespace tolvane {

inline constexpr const char* kInvalidDataType = "Invalid data type for '%s'";
inline constexpr const char* kFailedToSetData = "Failed to set data for '%s'";
// The hive the program's keys live under; the file names keys in full.
inline constexpr const char* kHiveName = "HKEY_LOCAL_MACHINE";

// A file this large is not a preference file: it is neither read nor copied.
inline constexpr std::size_t kMaxPrefsBytes = 1 << 20;
// How long a change waits for another writer's lock before it fails.
inline constexpr std::chrono::milliseconds kPrefsLockWait{3000};

// The preference store: text files in the registry export format, read
// afresh by every operation so that several running copies of the program
// see each other's changes.
//
// The machine-wide file is written only by the owner of its folder (root,
// as the package installs it); for everyone else it is read under their own
// file, which takes their changes, as the registry's per-user store shadows
// the machine hive. A file is read only when it is a regular file of its
// expected owner of at most kMaxPrefsBytes, opened inside its folder without
// following links (a link the user or root made to their own file is
// followed to its target). A change rewrites the whole file atomically
// under an exclusive "<file>.lock" waited for a few seconds at most, reading
// the file again inside the lock; the save that drops unreadable lines first
// keeps the file as it was in "<file>.corrupt-<UTC time>". Reads never lock.
class FilePreferenceStore : public PreferenceStore {
 public:
  explicit FilePreferenceStore(PreferenceFiles files)
      : machine_path_(std::move(files.machine)),
        own_path_(std::move(files.own)) {}
  // One file of the user's own, used alone.
  explicit FilePreferenceStore(std::string path)
      : FilePreferenceStore(PreferenceFiles{"", std::move(path)}) {}

  PrefsNotices& Notices() { return notices_; }
  void SetLockWait(std::chrono::milliseconds wait) { lock_wait_ = wait; }

  bool KeyExists(const std::string& key) override;
  bool OpenKey(const std::string& key, bool create) override;
  bool ValueExists(const std::string& key, const std::string& name) override;
  std::optional<std::int32_t> ReadInteger(const std::string& key,
                                          const std::string& name) override;
  void WriteInteger(const std::string& key, const std::string& name,
                    std::int32_t value) override;

 private:
  struct View;
  // The files in force, the user's own first.
  View Load();
  RegistryText LoadOne(const std::string& path, bool machine);
  bool MachineIsOurs() const;
  // Applies the change to a fresh read of the file that takes this user's
  // changes, under its lock, and writes the result. False when the file
  // cannot be written.
  bool Update(const std::function<void(RegistryText&)>& change);

  std::string machine_path_;  // empty: the own file alone
  std::string own_path_;
  PrefsNotices notices_;
  std::chrono::milliseconds lock_wait_ = kPrefsLockWait;
};

}  // namespace tolvane
