#pragma once

#include <string>

namespace tolvane {

// The variables that override the defaults below.
inline constexpr const char* kSearchServiceVariable = "TOLVANE_SEARCH_SERVICE";
inline constexpr const char* kItemHostVariable = "TOLVANE_ITEM_HOST";
inline constexpr const char* kHelpPagesVariable = "TOLVANE_HELP_PAGES";
inline constexpr const char* kOnlineHelpVariable = "TOLVANE_ONLINE_HELP";
inline constexpr const char* kSupportVariable = "TOLVANE_SUPPORT";
inline constexpr const char* kMarketplaceVariable = "TOLVANE_MARKETPLACE";

// Where the outside pages live. Each has a compiled-in default and an
// environment variable that overrides it, so the program, the tests and the
// demo can point at a service on a loopback port.
struct HostConfig {
  // Scheme and host of the completed-items search service.
  std::string search_service = "http://search-completed.ebay.com";
  // Host of eBay's item pages (the grid's double click).
  std::string item_host = "cgi.ebay.com";
  // Scheme and host of eBay's help pages.
  std::string help_pages = "http://pages.ebay.com";
  // The maker's online help and support pages.
  std::string online_help = "https://www.tolvane.org/tolvane/help.htm";
  std::string support = "https://support.tolvane.org/support.htm";
  // Scheme and host that replace the marketplace chosen in the options
  // dialog (https:// and its host); empty: the chosen one.
  std::string marketplace;

  // The defaults, each replaced by its variable when that is set and not
  // empty.
  static HostConfig FromEnvironment();
};

}  // namespace tolvane
