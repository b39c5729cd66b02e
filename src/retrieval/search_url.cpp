#include "retrieval/search_url.h"

#include "util/tessik_glo.h"

namespace tolvane {

std::string EncodeSearchExpression(std::string expression) {
  TessikGlo::TrimAll(expression);
  // The order matters: " +" must be escaped before blanks become "+", or a
  // user's literal plus could no longer be told from a blank.
  static constexpr const char* kSteps[][2] = {
      {" +", " %2B"}, {"\"", "%22"}, {" ", "+"},
      {"(", "%28"},   {")", "%29"},  {",", "%2C"},
  };
  for (const auto& step : kSteps) {
    expression = TessikGlo::ReplaceAll(std::move(expression), step[0], step[1]);
  }
  return expression;
}

std::string SearchURL(const std::string& service, const std::string& expression,
                      int offset) {
  return service + kSearchPath + kQueryKey +
         EncodeSearchExpression(expression) + kFixedKeys +
         std::to_string(offset);
}

std::string FormEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(text.size() * 3);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= '0' && byte <= '9') ||
                       (byte >= 'A' && byte <= 'Z') ||
                       (byte >= 'a' && byte <= 'z') || byte == '*' ||
                       byte == '-' || byte == '.' || byte == '_';
    if (plain) {
      encoded.push_back(c);
    } else if (byte == ' ') {
      encoded.push_back('+');
    } else {
      encoded.push_back('%');
      encoded.push_back(kHex[byte >> 4]);
      encoded.push_back(kHex[byte & 0x0F]);
    }
  }
  return encoded;
}

std::string SoldSearchURL(const std::string& marketplace,
                          const std::string& expression, int offset) {
  std::string trimmed = expression;
  TessikGlo::TrimAll(trimmed);
  return marketplace + kSoldSearchPath + FormEncode(trimmed) + kSoldSearchKeys +
         std::to_string(offset / kSoldPageSize + 1);
}

std::optional<std::string> NextPageAddress(std::string_view href,
                                           std::string_view marketplace) {
  if (href.empty()) return std::nullopt;
  for (const char c : href) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F) return std::nullopt;
  }
  std::string address;
  if (href.starts_with("//")) {
    // Scheme-relative: the marketplace's scheme.
    const std::size_t colon = marketplace.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    address.append(marketplace.substr(0, colon + 1)).append(href);
  } else if (href.front() == '/') {
    return std::string(marketplace).append(href);
  } else {
    address = href;
  }
  if (address.size() < marketplace.size()) return std::nullopt;
  for (std::size_t i = 0; i < marketplace.size(); ++i) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    };
    if (lower(address[i]) != lower(marketplace[i])) return std::nullopt;
  }
  // "https://www.ebay.com.evil" begins like "https://www.ebay.com" too.
  if (address.size() > marketplace.size() &&
      std::string_view("/?#").find(address[marketplace.size()]) ==
          std::string_view::npos) {
    return std::nullopt;
  }
  return address;
}

}  // namespace tolvane
