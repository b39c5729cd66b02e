#pragma once

#include <string>

namespace tolvane {

inline constexpr const char* kPrefsVariable = "TOLVANE_PREFS";
inline constexpr const char* kMachinePrefsPath = "/var/lib/tolvane/prefs.reg";
// Below the user's configuration folder ($XDG_CONFIG_HOME or ~/.config).
inline constexpr const char* kOwnPrefsName = "tolvane/prefs.reg";

// The files that hold one user's preferences: the user's own file, read
// over the machine-wide one when there is one.
struct PreferenceFiles {
  std::string machine;  // empty: the own file alone
  std::string own;
};

// TOLVANE_PREFS alone when it is set; else the machine-wide file with the
// user's own file in their configuration folder over it.
PreferenceFiles DefaultPreferenceFiles();

}  // namespace tolvane
