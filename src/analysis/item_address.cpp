#include "analysis/item_address.h"

namespace tolvane {
namespace {

constexpr const char* kItemPagePath =
    "/ws/eBayISAPI.dll?MfcISAPICommand=ViewItem&item=";

// Letters, digits and "-._~" mean the same anywhere in a query value.
bool IsUnreserved(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
         (c >= 'a' && c <= 'z') || c == '-' || c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string ItemPageAddress(std::string_view item_host, std::string_view item) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string address = "http://";
  address += item_host;
  address += kItemPagePath;
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
  return address;
}

}  // namespace tolvane
