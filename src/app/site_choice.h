#pragma once

#include <cstddef>
#include <string>

#include "app/hosts.h"
#include "platform/services.h"

namespace tolvane {

// Stored next to the timeout: which search Get asks, and on which
// marketplace.
inline constexpr const char* kSiteValue = "site";
inline constexpr const char* kMarketplaceValue = "marketplace";

enum class Site {
  kSoldListings = 0,  // today's search of sold listings
  kClassic = 1,       // the completed-items service
};

// The marketplaces offered, in the order the options dialog lists them;
// the first is the one a new preference file gets.
inline constexpr const char* kMarketplaces[] = {
    "www.ebay.com", "www.ebay.co.uk", "www.ebay.de", "www.ebay.ca",
    "www.ebay.com.au"};
inline constexpr int kMarketplaceCount =
    static_cast<int>(std::size(kMarketplaces));

struct SiteChoice {
  Site site = Site::kSoldListings;
  int marketplace = 0;  // index into kMarketplaces
  friend bool operator==(const SiteChoice&, const SiteChoice&) = default;
};

// The stored choice. The classic service no longer answers, so a file that
// names no site (every new one) gets today's sold listings; a number the
// program does not know gets the default too. A value of another type
// throws as ReadInteger does.
SiteChoice ReadSiteChoice(PreferenceStore& store);

// Throws as WriteInteger does when the store cannot be written.
void StoreSiteChoice(PreferenceStore& store, const SiteChoice& choice);

// Scheme and host of today's search: TOLVANE_MARKETPLACE's when set, else
// the chosen marketplace over HTTPS, the only way the site answers.
std::string MarketplaceAddress(const HostConfig& hosts,
                               const SiteChoice& choice);

// The address of the result page after `offset` results of the expression,
// on the chosen site.
std::string SearchAddress(const HostConfig& hosts, const SiteChoice& choice,
                          const std::string& expression, int offset);

}  // namespace tolvane
