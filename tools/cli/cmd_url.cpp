#include <cstdio>
#include <optional>
#include <string>

#include "app/hosts.h"
#include "app/site_choice.h"
#include "commands.h"
#include "prefs/preference_file.h"
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

std::optional<Site> ParseSite(const std::string& text) {
  if (text == "sold") return Site::kSoldListings;
  if (text == "classic") return Site::kClassic;
  return std::nullopt;
}

std::optional<int> ParseMarketplace(const std::string& text) {
  for (int i = 0; i < kMarketplaceCount; ++i) {
    if (text == kMarketplaces[i]) return i;
  }
  return std::nullopt;
}

}  // namespace

// url [--offset N] [--site sold|classic] [--marketplace HOST] [--]
// EXPRESSION: the address the program would request for that expression.
// The site and marketplace are those stored in the preferences, as the
// program reads them, unless given; the hosts come from the environment.
int RunUrl(const Args& args) {
  int offset = 0;
  std::optional<Site> site;
  std::optional<int> marketplace;
  std::optional<std::string> expression;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && arg == "--offset") {
      if (!has_value) return 2;
      const std::optional<int> value = ParseOffset(args[++i]);
      if (!value) return 2;
      offset = *value;
    } else if (!options_done && arg == "--site") {
      if (!has_value || !(site = ParseSite(args[++i]))) return 2;
    } else if (!options_done && arg == "--marketplace") {
      if (!has_value || !(marketplace = ParseMarketplace(args[++i]))) return 2;
    } else if (!options_done && arg.size() > 2 && arg.starts_with("--")) {
      return 2;
    } else if (expression) {
      return 2;
    } else {
      expression = arg;
    }
  }
  if (!expression) return 2;
  SiteChoice choice;
  if (!site || !marketplace) {
    FilePreferenceStore store(DefaultPreferenceFiles());
    choice = ReadSiteChoice(store);
  }
  if (site) choice.site = *site;
  if (marketplace) choice.marketplace = *marketplace;
  const std::string url =
      SearchAddress(HostConfig::FromEnvironment(), choice, *expression, offset);
  std::printf("%s\n", url.c_str());
  return 0;
}

}  // namespace tolvane::cli
