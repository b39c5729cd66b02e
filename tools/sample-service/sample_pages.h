#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Pages of a completed-items search site, generated from the search
// expression alone, so the same request always shows the same auctions.
namespace tolvane::sample {

inline constexpr int kPageSize = 50;

struct Auction {
  std::string item;          // ten digits
  std::string title;         // plain words, no markup
  std::string price;         // "$1,234.56"
  std::string bids;          // "12", or "-" for none
  std::string ended;         // "Nov-23 18:45"
  std::string sold;          // the same day with its year: "Nov 23, 2025"
  std::int64_t cents = 0;    // the price
  std::uint64_t traits = 0;  // a draw of its own for what today's pages show
  bool picture = false;      // a picture link comes before the title link
  bool classified = false;   // a classified ad: its bids cell holds a notice
};

// The words of the expression that titles show, capitalised, at most six.
std::vector<std::string> TitleWords(std::string_view expression);

// How many auctions the expression finds: between 120 and 480.
int ResultCount(std::string_view expression);

// The auctions from `skip` on, at most `count` of `total`.
std::vector<Auction> Auctions(std::string_view expression, int total, int skip,
                              int count = kPageSize);

struct PageOptions {
  int total = -1;       // auctions found; -1 takes ResultCount
  std::string expires;  // the page's Expires value
  bool top_of_page = true;
};

// The result page that starts after `skip` auctions.
std::string ResultPage(std::string_view expression, int skip,
                       const PageOptions& options);

// The expression as a query value: blanks as "+", every byte that is not a
// letter or digit as %XX.
std::string EncodeQuery(std::string_view expression);

// The text with & < > " written as character entities.
std::string HtmlEscape(std::string_view text);

std::string ItemPage(std::string_view item);
std::string SearchTipsPage();
std::string HelpPage();
std::string SupportPage();
std::string ErrorPage(int status, std::string_view reason);

}  // namespace tolvane::sample
