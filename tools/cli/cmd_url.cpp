#include <cstdio>
#include <optional>
#include <string>

#include "app/hosts.h"
#include "commands.h"
#include "retrieval/search_url.h"
#include "util/error.h"
#include "util/numbers.h"

namespace tolvane::cli {
namespace {

// A page offset is a plain decimal count; a sign or a blank is a usage
// error rather than something to guess about.
std::optional<int> ParseOffset(const std::string& text) {
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  try {
    return StrToInt(text);
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace

// url [--offset N] [--] EXPRESSION: the address the program would request
// for that expression, with the search service taken from the environment.
int RunUrl(const Args& args) {
  int offset = 0;
  std::optional<std::string> expression;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && arg == "--offset") {
      if (i + 1 == args.size()) return 2;
      const std::optional<int> value = ParseOffset(args[++i]);
      if (!value) return 2;
      offset = *value;
    } else if (!options_done && arg.size() > 2 && arg.starts_with("--")) {
      return 2;
    } else if (expression) {
      return 2;
    } else {
      expression = arg;
    }
  }
  if (!expression) return 2;
  const std::string url = SearchURL(
      HostConfig::FromEnvironment().search_service, *expression, offset);
  std::printf("%s\n", url.c_str());
  return 0;
}

}  // namespace tolvane::cli
