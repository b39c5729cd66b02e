#include "app/site_choice.h"

#include "app/frm_options.h"
#include "retrieval/search_url.h"

namespace tolvane {
namespace {

// One comparison for both ends: a negative index is a huge unsigned one.
bool IsMarketplace(std::int32_t index) {
  return static_cast<std::uint32_t>(index) <
         static_cast<std::uint32_t>(kMarketplaceCount);
}

}  // namespace

SiteChoice ReadSiteChoice(PreferenceStore& store) {
  SiteChoice choice;
  const std::optional<std::int32_t> site =
      store.ReadInteger(kPrefsKey, kSiteValue);
  if (site && *site == static_cast<std::int32_t>(Site::kClassic)) {
    choice.site = Site::kClassic;
  }
  const std::optional<std::int32_t> marketplace =
      store.ReadInteger(kPrefsKey, kMarketplaceValue);
  if (marketplace && IsMarketplace(*marketplace)) {
    choice.marketplace = *marketplace;
  }
  return choice;
}

void StoreSiteChoice(PreferenceStore& store, const SiteChoice& choice) {
  store.WriteInteger(kPrefsKey, kSiteValue,
                     static_cast<std::int32_t>(choice.site));
  store.WriteInteger(kPrefsKey, kMarketplaceValue, choice.marketplace);
}

std::string MarketplaceAddress(const HostConfig& hosts,
                               const SiteChoice& choice) {
  if (!hosts.marketplace.empty()) return hosts.marketplace;
  return std::string("https://") +
         kMarketplaces[IsMarketplace(choice.marketplace) ? choice.marketplace
                                                         : 0];
}

std::string SearchAddress(const HostConfig& hosts, const SiteChoice& choice,
                          const std::string& expression, int offset) {
  if (choice.site == Site::kClassic) {
    return SearchURL(hosts.search_service, expression, offset);
  }
  return SoldSearchURL(MarketplaceAddress(hosts, choice), expression, offset);
}

}  // namespace tolvane
