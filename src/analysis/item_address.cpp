#include "analysis/item_address.h"

namespace tolvane {
namespace {

constexpr const char* kItemPagePath =
    "/ws/eBayISAPI.dll?MfcISAPICommand=ViewItem&item=";
constexpr const char* kSoldItemPath = "/itm/";

// Letters, digits and "-._~" mean the same anywhere in a query value.
bool IsUnreserved(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
         (c >= 'a' && c <= 'z') || c == '-' || c == '.' || c == '_' || c == '~';
}

void AppendEncoded(std::string& address, std::string_view item) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : item) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte)) {
      address.push_back(c);
    } else {
      address.push_back('%');
      address.push_back(kHex[byte >> 4]);
      address.push_back(kHex[byte & 0x0F]);
    }
  }
}

}  // namespace

std::string ItemPageAddress(std::string_view item_host, std::string_view item) {
  std::string address = "http://";
  address += item_host;
  address += kItemPagePath;
  AppendEncoded(address, item);
  return address;
}

std::string SoldItemPageAddress(std::string_view marketplace,
                                std::string_view item) {
  std::string address(marketplace);
  address += kSoldItemPath;
  AppendEncoded(address, item);
  return address;
}

}  // namespace tolvane
