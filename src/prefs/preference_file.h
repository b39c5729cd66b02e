#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "platform/services.h"
#include "prefs/registry_text.h"

namespace tolvane {

inline constexpr const char* kInvalidDataType = "Invalid data type for '%s'";
inline constexpr const char* kFailedToSetData = "Failed to set data for '%s'";
inline constexpr const char* kPrefsVariable = "TOLVANE_PREFS";
inline constexpr const char* kMachinePrefsPath = "/var/lib/tolvane/prefs.reg";
// Below the user's configuration folder ($XDG_CONFIG_HOME or ~/.config).
inline constexpr const char* kOwnPrefsName = "tolvane/prefs.reg";
// The hive the program's keys live under; the file names keys in full.
inline constexpr const char* kHiveName = "HKEY_LOCAL_MACHINE";

// What the user is told, once each, about a preference file the program
// leaves alone or had to repair.
inline constexpr const char* kPrefsNotAPlainFile =
    "The preference file %s is a link, a special file or a file of another "
    "user, so it was not read.";
inline constexpr const char* kPrefsTooLarge =
    "The preference file %s is larger than 1 MiB, so it was not read.";
inline constexpr const char* kPrefsUnreadableLines =
    "The preference file had lines that could not be read. They were left "
    "out when it was saved; the file as it was is kept in %s.";

// A file this large is not a preference file: it is neither read nor copied.
inline constexpr std::size_t kMaxPrefsBytes = 1 << 20;
// How long a change waits for another writer's lock before it fails.
inline constexpr std::chrono::milliseconds kPrefsLockWait{3000};

// The preference store: a text file in the registry export format, read
// afresh by every operation so that several running copies of the program
// see each other's changes.
//
// Machine-wide, the file is /var/lib/tolvane/prefs.reg, written only by the
// owner of its folder (root, as the package installs it). Every other user
// gets a file of their own, read over the machine-wide one: values they
// stored win, values they never stored come from the machine file, the way
// the registry's per-user store shadows the machine hive for users without
// rights to it. TOLVANE_PREFS names one file to use alone instead; when it
// is a symbolic link, the file it points to is read and rewritten.
//
// Files are opened inside their folder without following links, and only a
// regular file of at most kMaxPrefsBytes of the expected owner (the folder's
// owner for the machine file, the user for their own) is read. Every change
// rewrites the whole file through a temporary file renamed over it, under
// an exclusive lock on "<file>.lock" that is waited for a few seconds at
// most, after reading the file again inside the lock: two copies storing at
// once never lose each other's values. Lines that cannot be understood are
// left out on their own; the save that drops them first keeps the file as
// it was in "<file>.corrupt-<UTC time>" (mode 0600). Reads never lock.
class FilePreferenceStore : public PreferenceStore {
 public:
  // One file of the user's own, used alone.
  explicit FilePreferenceStore(std::string path) : own_path_(std::move(path)) {}
  // The machine-wide file, shadowed by the user's own file when the user
  // may not write the machine-wide one.
  FilePreferenceStore(std::string machine_path, std::string own_path)
      : machine_path_(std::move(machine_path)),
        own_path_(std::move(own_path)) {}

  // TOLVANE_PREFS alone when set; else the machine-wide file with the
  // user's own file over it.
  static FilePreferenceStore FromEnvironment();

  // The user's own file.
  const std::string& Path() const { return own_path_; }

  // Where the notes on refused or repaired files go; without it they are
  // dropped.
  void SetNotify(std::function<void(const std::string&)> notify) {
    notify_ = std::move(notify);
  }
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
  void Notify(const std::string& text);

  std::string machine_path_;  // empty: the own file alone
  std::string own_path_;
  std::function<void(const std::string&)> notify_;
  std::set<std::string> told_;
  std::chrono::milliseconds lock_wait_ = kPrefsLockWait;
};

}  // namespace tolvane
