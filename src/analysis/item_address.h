#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// The address of an auction's own page on the item-page host. A plain item
// number goes in unchanged; every byte but letters, digits and "-._~" is
// percent-encoded (blanks, quotes, "#", "&", "%", control bytes and bytes
// above 127 among them), since an imported file can hold any text there and
// must not add keys to the address or cut it short.
std::string ItemPageAddress(std::string_view item_host, std::string_view item);

// The address of a listing's page on today's site: the marketplace's
// scheme and host, "/itm/" and the item number, encoded as above.
std::string SoldItemPageAddress(std::string_view marketplace,
                                std::string_view item);

}  // namespace tolvane
