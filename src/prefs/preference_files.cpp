#include "prefs/preference_files.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace tolvane {

PreferenceFiles DefaultPreferenceFiles() {
  const char* chosen = std::getenv(kPrefsVariable);
  if (chosen != nullptr && *chosen != '\0') return {"", chosen};
  // Only an absolute folder is taken from the environment: a relative one
  // would move with the working folder.
  std::string config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME");
      xdg != nullptr && *xdg == '/') {
    config = xdg;
  } else if (const char* home = std::getenv("HOME");
             home != nullptr && *home == '/') {
    config = std::string(home) + "/.config";
  } else if (const passwd* user = ::getpwuid(::geteuid())) {
    config = std::string(user->pw_dir) + "/.config";
  }
  return {kMachinePrefsPath, config + "/" + kOwnPrefsName};
}

}  // namespace tolvane
