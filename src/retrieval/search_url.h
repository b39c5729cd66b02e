#pragma once

#include <string>

namespace tolvane {

// The path and first key of the completed-items search, appended to the
// service's scheme and host.
inline constexpr const char* kSearchPath = "/search/search.dll?GetResult&";
inline constexpr const char* kQueryKey = "query=";
// Sent with every request, always with these values; skip stays last.
inline constexpr const char* kFixedKeys =
    "&ht=1&combine=y&SortProperty=MetaEndSort&st=2&skip=";

// The search expression as the service expects it in the query key: trimmed,
// a plus after a blank kept literal, quotes, parentheses and commas escaped,
// blanks turned into plus signs. Every other byte passes unchanged.
std::string EncodeSearchExpression(std::string expression);

// The address of the result page that starts after `offset` results.
std::string SearchURL(const std::string& service, const std::string& expression,
                      int offset);

}  // namespace tolvane
