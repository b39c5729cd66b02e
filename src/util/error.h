#pragma once

#include <stdexcept>
#include <string>

namespace tolvane {

// The one exception that crosses a handler: its text is what the user reads
// in the default error report.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// "'%s' is not a valid integer value" and friends: fills the one %s of a
// message template.
std::string FormatMessage(const char* pattern, const std::string& argument);

}  // namespace tolvane
