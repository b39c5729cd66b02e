#include "util/error.h"

#include <string_view>

namespace tolvane {

std::string FormatMessage(const char* pattern, const std::string& argument) {
  const std::string_view text(pattern);
  const auto at = text.find("%s");
  if (at == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size() + argument.size());
  out.append(text.substr(0, at)).append(argument).append(text.substr(at + 2));
  return out;
}

}  // namespace tolvane
