#pragma once

#include <functional>
#include <set>
#include <string>

namespace tolvane {

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

// Every read of the store meets the same refused file again: the user hears
// of each once per run. Without a listener the notices are dropped.
class PrefsNotices {
 public:
  void Listen(std::function<void(const std::string&)> listener) {
    listener_ = std::move(listener);
  }
  void Tell(const std::string& text) {
    if (told_.insert(text).second && listener_) listener_(text);
  }

 private:
  std::function<void(const std::string&)> listener_;
  std::set<std::string> told_;
};

}  // namespace tolvane
