#pragma once

#include <optional>
#include <string>
#include <string_view>

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

// Today's search of sold listings: the path, and the keys after the
// expression (sold and completed listings only, the most recent first, 50 a
// page); the page number comes last.
inline constexpr const char* kSoldSearchPath = "/sch/i.html?_nkw=";
inline constexpr const char* kSoldSearchKeys =
    "&LH_Sold=1&LH_Complete=1&_sop=13&_ipg=50&_pgn=";
inline constexpr int kSoldPageSize = 50;

// Text as a browser sends a form's field (application/x-www-form-urlencoded):
// letters, digits and "*-._" as they are, blanks as "+", every other byte as
// %XX.
std::string FormEncode(std::string_view text);

// The address of today's result page that starts after `offset` results,
// on the marketplace at `marketplace` (scheme and host). The expression is
// trimmed like the classic one and sent as a browser's search box sends it;
// the page number is offset / 50 + 1, so offsets keep their meaning.
std::string SoldSearchURL(const std::string& marketplace,
                          const std::string& expression, int offset);

// The address a page's next-page link leads to, when it leads to the
// marketplace at `marketplace` (scheme and host): a path is taken on it, a
// full address only when its scheme and host are the marketplace's (in any
// letter case). Nothing for a link elsewhere, a relative one, or one holding
// blanks or control bytes: the caller builds the address itself then.
std::optional<std::string> NextPageAddress(std::string_view href,
                                           std::string_view marketplace);

}  // namespace tolvane
