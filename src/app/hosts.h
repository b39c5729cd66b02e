#pragma once

#include <string>

namespace tolvane {

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

  static HostConfig FromEnvironment();
};

}  // namespace tolvane
