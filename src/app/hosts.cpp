#include "app/hosts.h"

#include <cstdlib>

namespace tolvane {
namespace {

// An unset or empty variable keeps the compiled-in default.
void Override(const char* variable, std::string& field) {
  const char* value = std::getenv(variable);
  if (value != nullptr && *value != '\0') field = value;
}

// Paths are appended to these, so "http://host/" must not give "//search".
void DropTrailingSlashes(std::string& prefix) {
  while (!prefix.empty() && prefix.back() == '/') prefix.pop_back();
}

}  // namespace

HostConfig HostConfig::FromEnvironment() {
  HostConfig config;
  Override(kSearchServiceVariable, config.search_service);
  Override(kItemHostVariable, config.item_host);
  Override(kHelpPagesVariable, config.help_pages);
  Override(kOnlineHelpVariable, config.online_help);
  Override(kSupportVariable, config.support);
  Override(kMarketplaceVariable, config.marketplace);
  DropTrailingSlashes(config.search_service);
  DropTrailingSlashes(config.item_host);
  DropTrailingSlashes(config.help_pages);
  DropTrailingSlashes(config.marketplace);
  return config;
}

}  // namespace tolvane
