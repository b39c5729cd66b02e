#include "sample_pages.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace tolvane::sample {
namespace {

std::uint64_t Hash(std::string_view text) {
  std::uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ULL;
  }
  return h;
}

std::uint64_t Mix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ULL;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

// A fresh draw for one field of one auction.
std::uint64_t Draw(std::uint64_t seed, int index, int field) {
  return Mix(seed ^ Mix(static_cast<std::uint64_t>(index) * 16 +
                        static_cast<std::uint64_t>(field)));
}

constexpr std::array<const char*, 16> kAdjectives = {
    "Vintage", "Antique",  "Rare",    "Original", "Boxed", "Signed",
    "Mint",    "Large",    "Small",   "Pair of",  "Old",   "Estate",
    "Working", "Restored", "Classic", "Genuine"};
constexpr std::array<const char*, 12> kTails = {
    "NR",        "L@@K",          "No Reserve", "Nice",
    "Excellent", "Free Shipping", "Must See",   "Collector",
    "As Is",     "Great Gift",    "Wow",        "Low Start"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr",
                                                 "May", "Jun", "Jul", "Aug",
                                                 "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30,
                                            31, 31, 30, 31, 30, 31};

std::string Title(const std::vector<std::string>& words, std::uint64_t draw) {
  std::string title = kAdjectives[draw % kAdjectives.size()];
  for (const std::string& w : words) title += " " + w;
  if (words.empty()) title += " Item";
  title += " ";
  title += kTails[(draw / 97) % kTails.size()];
  return title;
}

std::int64_t PriceCents(std::uint64_t seed, std::uint64_t draw) {
  // Prices scatter around a level that belongs to the expression.
  const std::int64_t level_cents =
      500 + static_cast<std::int64_t>((seed >> 7) % 40000);
  const std::int64_t percent = 20 + static_cast<std::int64_t>(draw % 400);
  std::int64_t cents = level_cents * percent / 100;
  if (draw % 53 == 0) cents = cents * 40 + 123456;  // now and then a big one
  return std::max<std::int64_t>(cents, 1);
}

std::string Price(std::int64_t cents) {
  const std::int64_t dollars = cents / 100;
  std::string digits = std::to_string(dollars);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  char tail[8];
  std::snprintf(tail, sizeof tail, ".%02d", static_cast<int>(cents % 100));
  return "$" + grouped + tail;
}

// The end time `minutes_back` minutes before the newest auction's, which
// ended on Nov-23 at 18:45.
std::string Ended(int minutes_back) {
  int day_of_year = 326;  // Nov-23, counting Jan-01 as 0
  int minute = 18 * 60 + 45 - minutes_back;
  while (minute < 0) {
    minute += 24 * 60;
    --day_of_year;
  }
  while (day_of_year < 0) day_of_year += 365;
  int month = 0;
  while (day_of_year >= kMonthDays[static_cast<std::size_t>(month)]) {
    day_of_year -= kMonthDays[static_cast<std::size_t>(month)];
    ++month;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%s-%02d %02d:%02d",
                kMonths[static_cast<std::size_t>(month)], day_of_year + 1,
                minute / 60, minute % 60);
  return text;
}

// Days from 1970-01-01 to the date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// The date of the end time `minutes_back` minutes before Nov 23, 2025 at
// 18:45, the day and month Ended shows, with its year: "Nov 23, 2025".
std::string Sold(int minutes_back) {
  const std::int64_t minute = DaysFromCivil(2025, 11, 23) * 1440 + 18 * 60 +
                              45 - static_cast<std::int64_t>(minutes_back);
  const std::int64_t z = (minute >= 0 ? minute : minute - 1439) / 1440 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe =
      (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  char text[48];
  std::snprintf(text, sizeof text, "%s %d, %lld",
                kMonths[static_cast<std::size_t>(month - 1)], day,
                static_cast<long long>(year));
  return text;
}

// Style rules that make the head of a page longer than the listing's
// parser reads in full.
std::string LongHeadStyle(std::uint64_t seed) {
  std::string style = "<style type=\"text/css\">\n";
  for (int i = 0; i < 900; ++i) {
    char rule[64];
    std::snprintf(
        rule, sizeof rule, ".ls%03d { color: #%06x; }\n", i,
        static_cast<unsigned>(Mix(seed + static_cast<unsigned>(i)) & 0xffffff));
    style += rule;
  }
  style += "</style>\n";
  return style;
}

void AppendRow(std::string& page, const Auction& a, int index) {
  const std::string link = "/ws/eBayISAPI.dll?ViewItem&item=" + a.item;
  page += index % 2 == 0 ? "<tr bgcolor=\"#FFFFFF\">\n"
                         : "<tr bgcolor=\"#EFEFEF\">\n";
  if (a.picture) {
    page += "<td width=\"10%\" valign=middle><a href=\"" + link +
            "\"><img src=\"/pics/" + a.item +
            ".jpg\" border=0 width=64 height=48 alt=\"Picture\"></a></td>\n";
  } else {
    page += "<td width=\"10%\" valign=middle>&nbsp;</td>\n";
  }
  page += "<td width=\"55%\" valign=top><font size=3><a href=\"" + link +
          "\">" + a.title + "</a></font></td>\n";
  page += "<td width=\"12%\" align=right valign=top><font size=3><b>" +
          a.price + "</b></font></td>\n";
  if (a.classified) {
    page +=
        "<td width=\"8%\" align=center valign=top><font size=3>Classified "
        "ad, see pages.ebay.com/realestate/classifiedAd.html</font></td>\n";
  } else {
    page += "<td width=\"8%\" align=center valign=top><font size=3>" + a.bids +
            "</font></td>\n";
  }
  page += "<td width=\"15%\" align=right valign=top><font size=3>" + a.ended +
          "</font></td>\n</tr>\n";
}

std::string SimplePage(std::string_view title, std::string_view body) {
  std::string page = "<HTML><HEAD><TITLE>";
  page += title;
  page += "</TITLE></HEAD>\n<BODY bgcolor=\"#FFFFFF\">\n";
  page += body;
  page += "\n</BODY></HTML>\n";
  return page;
}

}  // namespace

// The words of the expression that can stand in a title: letters and
// digits only, so no title holds a character the listing's cells end at.
std::vector<std::string> TitleWords(std::string_view expression) {
  std::vector<std::string> words;
  std::string word;
  for (char c : expression) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  if (words.size() > 6) words.resize(6);
  for (std::string& w : words) {
    w[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
  }
  return words;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

int ResultCount(std::string_view expression) {
  return 120 + static_cast<int>(Hash(expression) % 361);
}

std::vector<Auction> Auctions(std::string_view expression, int total, int skip,
                              int count) {
  const std::uint64_t seed = Hash(expression);
  const std::vector<std::string> words = TitleWords(expression);
  // Item numbers follow one another, so no two auctions of one search share
  // a number and all have ten digits.
  const std::uint64_t first_item = 2100000000 + seed % 700000000;
  std::vector<Auction> auctions;
  const int end = std::min(total, skip + count);
  for (int i = std::max(skip, 0); i < end; ++i) {
    Auction a;
    a.item = std::to_string(first_item + static_cast<std::uint64_t>(i));
    a.title = Title(words, Draw(seed, i, 0));
    a.cents = PriceCents(seed, Draw(seed, i, 1));
    a.price = Price(a.cents);
    const std::uint64_t kind = Draw(seed, i, 2);
    a.picture = kind % 3 == 0;
    a.classified = kind % 25 == 7;
    const std::uint64_t bids = Draw(seed, i, 3);
    a.bids =
        a.classified || bids % 9 == 0 ? "-" : std::to_string(1 + bids % 40);
    // Newest first, about an hour and a half apart.
    const int minutes_back =
        i * 97 - static_cast<int>(Draw(seed, i, 4) % 60) + 59;
    a.ended = Ended(minutes_back);
    a.sold = Sold(minutes_back);
    a.traits = Draw(seed, i, 5);
    auctions.push_back(std::move(a));
  }
  return auctions;
}

std::string EncodeQuery(std::string_view expression) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : expression) {
    if (std::isalnum(c)) {
      out += static_cast<char>(c);
    } else if (c == ' ') {
      out += '+';
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string ResultPage(std::string_view expression, int skip,
                       const PageOptions& options) {
  const int total =
      options.total >= 0 ? options.total : ResultCount(expression);
  const std::uint64_t seed = Hash(expression);
  const std::vector<Auction> auctions = Auctions(expression, total, skip);
  const int page_number = std::max(skip, 0) / kPageSize + 1;
  const std::string shown = HtmlEscape(expression);

  std::string page;
  page.reserve(64 * 1024);
  page += "<HTML><HEAD><TITLE>eBay Search: " + shown + "</TITLE>\n";
  page +=
      "<meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=iso-8859-1\">\n";
  // Every second page carries a long style sheet in its head.
  if (page_number % 2 == 0) page += LongHeadStyle(seed);
  page += "<meta http-equiv=\"Expires\" content=\"" + options.expires +
          "\"></HEAD>\n";
  page +=
      "<BODY bgcolor=\"#FFFFFF\" topmargin=0 marginheight=0>\n<a "
      "name=\"top\"></a>\n";
  page +=
      "<table width=\"100%\" border=0 cellpadding=0 cellspacing=0><tr><td>"
      "<font size=5 color=\"#3333CC\"><b>eBay</b></font> <font size=2>"
      "Completed Items</font></td></tr></table>\n";
  page += "<p><font size=2><b>" + std::to_string(total) +
          "</b> items found for <b>" + shown + "</b>";
  if (!auctions.empty()) {
    page += ", showing items " + std::to_string(skip + 1) + " to " +
            std::to_string(skip + static_cast<int>(auctions.size()));
  }
  page += ".</font></p>\n";
  page +=
      "<p><font size=2>Matching category: <a "
      "href=\"/ws/eBayISAPI.dll?ViewItem&category=" +
      std::to_string(1000 + seed % 9000) + "\">Collectibles</a></font></p>\n";
  page +=
      "<table width=\"100%\" border=0 cellpadding=2 cellspacing=0>\n"
      "<tr bgcolor=\"#CCCCFF\"><td><b>Picture</b></td><td><b>Item "
      "Title</b></td><td align=right><b>Price</b></td><td "
      "align=center><b>Bids</b></td><td align=right><b>Ended</b></td></tr>\n";
  if (auctions.empty()) {
    page +=
        "<tr><td colspan=5><font size=2>No items matching your search were "
        "found on this page.</font></td></tr>\n";
  }
  for (std::size_t i = 0; i < auctions.size(); ++i) {
    AppendRow(page, auctions[i], static_cast<int>(i));
  }
  page += "</table>\n<p><font size=2>Page " + std::to_string(page_number) +
          "</font>";
  if (skip + kPageSize < total) {
    page += " <a href=\"/search/search.dll?GetResult&query=" +
            EncodeQuery(expression) +
            "&ht=1&combine=y&SortProperty=MetaEndSort&st=2&skip=" +
            std::to_string(skip + kPageSize) + "\">Next ></a>";
  }
  page += "</p>\n";
  if (options.top_of_page) {
    page += "<p align=center><a href=\"#top\">top of page</a></p>\n";
  }
  page +=
      "<p><font size=1>Copyright 1995-2003 eBay Inc. All Rights "
      "Reserved.</font></p>\n</BODY></HTML>\n";
  return page;
}

std::string ItemPage(std::string_view item) {
  const std::string shown = HtmlEscape(item);
  return SimplePage(
      "eBay item " + shown,
      "<h2>Item #" + shown + "</h2>\n<p>Bidding has ended for this item.</p>");
}

std::string SearchTipsPage() {
  return SimplePage(
      "eBay Help: Search Tips",
      "<h2>Search tips</h2>\n<ul><li>Use more than one word to narrow the "
      "search.</li><li>Put a phrase in double quotes to find it "
      "exactly.</li><li>Put a minus sign before a word to leave it "
      "out.</li></ul>");
}

std::string HelpPage() {
  return SimplePage(
      "Tolvane Help",
      "<h2>Tolvane help</h2>\n<p>Type a search expression and press Enter "
      "or Get. Get 5 fetches about five pages of completed auctions.</p>");
}

std::string SupportPage() {
  return SimplePage("Tolvane Support",
                    "<h2>Technical support</h2>\n<p>Write to the maker with "
                    "the search you ran and what you saw.</p>");
}

std::string ErrorPage(int status, std::string_view reason) {
  const std::string title = std::to_string(status) + " " + HtmlEscape(reason);
  return SimplePage(title, "<h1>" + title + "</h1>");
}

}  // namespace tolvane::sample
