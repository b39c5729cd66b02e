#include "sold_pages.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tolvane::sample {
namespace {

constexpr std::int64_t kPlaceholderCents = 2000;
constexpr int kFewerWordsListings = 4;
constexpr int kPagesAround = 4;  // page links on each side of the current
constexpr const char* kHead =
    "<!DOCTYPE html><html lang=en><head><meta charset=utf-8><title>";
constexpr const char* kStyleAndScript =
    "</title><style>.s-card__price,.s-item__price{font-weight:700}"
    ".s-card__caption .positive,.s-item__caption--signal{color:#1a7f37}"
    "</style><script>window.SRP={\"cls\":\"srp-results s-card "
    "s-card__caption s-card__price s-item s-item__caption--signal "
    "s-item__price s-item__bids pagination__next\"};</script></head><body>";
constexpr const char* kFewerWords =
    "<div class=srp-river-answer__rewrite><h3 "
    "class=\"srp-save-null-search__heading\">Results matching fewer "
    "words</h3></div>";
constexpr const char* kNextLabel =
    " type=next aria-label=\"Go to next search page\"><svg class=icon "
    "aria-hidden=true><use href=\"#icon-chevron-right-24\"></use></svg>";

// What every listing of one page shares.
struct Context {
  std::string origin;   // escaped for an attribute
  std::string encoded;  // the expression as a query value
  std::string bold;     // the title word shown bold in cards
  const Currency* currency;
};

std::string Hex(std::uint64_t n) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[n % 16]);
    n /= 16;
  } while (n > 0);
  return out;
}

// Letters and digits standing for the site's tracking values.
std::string Token(std::uint64_t draw, int length) {
  static constexpr char kChars[] =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::string out;
  for (int i = 0; i < length; ++i) {
    out += kChars[draw % 62];
    draw = draw / 62 + 0x9e3779b97f4a7c15ULL * static_cast<unsigned>(i + 1);
  }
  return out;
}

std::string ItemLink(const Context& c, const Auction& a) {
  const std::string item = a.item;
  const std::uint64_t number = std::stoull(item);
  return c.origin + "/itm/" + item + "?_skw=" + c.encoded + "&amp;hash=item" +
         Hex(number) + ":g:" + Token(a.traits, 4) + "&amp;itmprp=enc%3AAQ" +
         Token(a.traits >> 7, 12);
}

std::string Caption(const SoldListing& l) {
  return (l.sale == Sale::kUnsold ? "Ended  " : "Sold  ") + l.auction.sold;
}

bool ShowsBids(const SoldListing& l) {
  return l.sale != Sale::kBestOffer && l.auction.bids != "-";
}

// "23 bids", "Buy It Now" and the like: the row beside the price.
std::string PurchaseText(const SoldListing& l, const char* best_offer) {
  const Auction& a = l.auction;
  if (l.sale == Sale::kBestOffer) return best_offer;
  if (!ShowsBids(l)) return "Buy It Now";
  return a.bids + (a.bids == "1" ? " bid" : " bids");
}

std::string CardTitle(const Context& c, const SoldListing& l) {
  std::string title = l.auction.title;
  if (!c.bold.empty()) {
    const std::size_t at = title.find(" " + c.bold);
    if (at != std::string::npos) {
      title.replace(at + 1, c.bold.size(), "<b>" + c.bold + "</b>");
    }
  }
  return (l.new_listing ? "<span class=LIGHT_HIGHLIGHT>New listing</span>"
                        : "") +
         title;
}

std::string Row(const std::string& spans) {
  return "<div class=s-card__attribute-row>" + spans + "</div>";
}

std::string SecondaryText(const std::string& text) {
  return "<span class=\"su-styled-text secondary large\">" + text + "</span>";
}

std::string CardPrices(const SoldListing& l) {
  const std::string tone =
      l.sale == Sale::kUnsold ? "primary bold" : "positive bold";
  const std::string open =
      "<span class=\"su-styled-text " + tone +
      (l.sale == Sale::kBestOffer ? " strikethrough" : "") +
      " large-1 s-card__price\">";
  if (l.price_high.empty()) {
    std::string spans = open + l.price + "</span>";
    if (!l.was.empty()) {
      spans +=
          " <span class=\"su-styled-text strikethrough secondary "
          "large\">" +
          l.was + "</span>";
    }
    return spans;
  }
  // The card writes a range in one span or in two around " to ".
  if (l.auction.traits % 2 == 0) {
    return open + l.price + " to " + l.price_high + "</span>";
  }
  return open + l.price + "</span>" + SecondaryText(" to ") + open +
         l.price_high + "</span>";
}

void AppendCard(std::string& page, const Context& c, const SoldListing& l,
                int n) {
  const Auction& a = l.auction;
  const std::string link = ItemLink(c, a);
  const std::string number = std::to_string(n);
  page +=
      "<li class=\"s-card s-card--horizontal s-card--dark-solt-links-blue\" "
      "id=item" +
      Hex(std::stoull(a.item)) + " data-listingid=" + a.item +
      " data-view='mi:1686|iid:" + number +
      "' data-viewport='{\"trackableId\":\"01J" + Token(a.traits, 10) +
      "\",\"impressionId\":\"x>" + number + "\"}'><!--F#f_" + number +
      "--><div class=su-card-container><div "
      "class=su-card-container__media><a class=\"su-link "
      "image-treatment\" href=\"" +
      link + "\" tabindex=-1><img class=s-card__image src=\"" + c.origin +
      "/pics/" + a.item + ".jpg\" alt=\"" + a.title +
      "\"></a></div><div class=su-card-container__content><div "
      "class=su-card-container__header><div class=s-card__caption><span "
      "class=\"su-styled-text " +
      (l.sale == Sale::kUnsold ? "secondary" : "positive") + " default\">" +
      Caption(l) + "</span></div><!--F/--><a class=su-link href=\"" + link +
      "\"><div role=heading aria-level=3 class=s-card__title><span "
      "class=\"su-styled-text primary default\">" +
      CardTitle(c, l) +
      "</span><span class=clipped>Opens in a new window or "
      "tab</span></div></a><div class=s-card__subtitle-row><div "
      "class=s-card__subtitle><span class=\"su-styled-text secondary "
      "default\">" +
      l.condition +
      "</span></div></div></div><div "
      "class=su-card-container__attributes><div "
      "class=su-card-container__attributes__primary>" +
      Row(CardPrices(l)) +
      Row(SecondaryText(PurchaseText(l, "Best offer accepted"))) +
      Row(SecondaryText(l.delivery.empty() ? "Free delivery"
                                           : l.delivery + " delivery")) +
      Row(SecondaryText("Located in United States")) +
      "</div></div></div></div></li>\n";
}

std::string ListPrices(const SoldListing& l) {
  if (!l.price_high.empty()) {
    return "<span class=POSITIVE>" + l.price +
           "</span><span class=DEFAULT> to </span><span class=POSITIVE>" +
           l.price_high + "</span>";
  }
  if (l.sale == Sale::kUnsold) return l.price;
  if (l.sale == Sale::kBestOffer) {
    return "<span class=\"STRIKETHROUGH POSITIVE\">" + l.price + "</span>";
  }
  return "<span class=POSITIVE>" + l.price + "</span>";
}

std::string Detail(const std::string& spans) {
  return "<div class=\"s-item__detail s-item__detail--primary\">" + spans +
         "</div>";
}

void AppendListItem(std::string& page, const Context& c, const SoldListing& l,
                    int n) {
  const Auction& a = l.auction;
  const std::string link = ItemLink(c, a);
  const std::string purchase = PurchaseText(l, "or Best Offer");
  page +=
      "<li class=\"s-item s-item__pl-on-bottom\" id=item" +
      Hex(std::stoull(a.item)) +
      " data-viewport=\"{&quot;trackableId&quot;:&quot;01J" +
      Token(a.traits, 10) + "&quot;}\" data-gr4=" + std::to_string(n) +
      "><div class=\"s-item__wrapper clearfix\"><!--F#f_" + std::to_string(n) +
      "--><div class=s-item__image-section><div class=s-item__image><a "
      "tabindex=-1 href=\"" +
      link + "\"><div class=s-item__image-wrapper><img alt=\"" + a.title +
      "\" src=\"" + c.origin + "/pics/" + a.item +
      ".jpg\"></div></a></div></div><div class=\"s-item__info "
      "clearfix\"><div class=s-item__caption-section><div "
      "class=s-item__caption><span class=\"s-item__caption--signal " +
      (l.sale == Sale::kUnsold ? "NEGATIVE" : "POSITIVE") + "\"><span>" +
      Caption(l) + "</span></span></div></div><a class=s-item__link href=\"" +
      link + "\"><div class=s-item__title><span role=heading aria-level=3>" +
      (l.new_listing ? "<span class=LIGHT_HIGHLIGHT>New Listing</span>" : "") +
      a.title +
      "</span></div></a><div class=s-item__subtitle><span "
      "class=SECONDARY_INFO>" +
      l.condition + "</span></div><div class=\"s-item__details clearfix\">" +
      Detail("<span class=s-item__price>" + ListPrices(l) + "</span>");
  if (!l.was.empty()) {
    page +=
        Detail("<span class=s-item__trending-price><span class=STRIKETHROUGH>" +
               l.was + "</span></span>");
  }
  page +=
      Detail(ShowsBids(l) ? "<span class=\"s-item__bids s-item__bidCount\">" +
                                purchase + "</span>"
                          : "<span class=\"s-item__purchase-options "
                            "s-item__purchaseOptions\">" +
                                purchase + "</span>") +
      Detail("<span class=\"s-item__shipping s-item__logisticsCost\">" +
             (l.delivery.empty() ? std::string("Free shipping")
                                 : l.delivery + " shipping") +
             "</span>") +
      "</div></div></div></li>\n";
}

// The "Shop on eBay" card the site shows on every page: no listing.
std::string Placeholder(Layout layout, const Currency& currency) {
  const std::string price = FormatAmount(kPlaceholderCents, currency);
  const std::string link =
      "https://ebay.com/itm/123456?itmmeta=01JH8Q3ZK7TW0M5R2S9XQ4V6YB";
  if (layout == Layout::kCard) {
    return "<div class=srp-river-placeholder><ul class=srp-placeholder-list>"
           "<li class=\"s-card s-card--horizontal\" id=item1e240 "
           "data-listingid=123456 data-viewport='{\"trackableId\":\"ph\"}'>"
           "<div class=su-card-container><div "
           "class=su-card-container__content><a class=su-link href=\"" +
           link +
           "\"><div role=heading aria-level=3 class=s-card__title><span "
           "class=\"su-styled-text primary default\">Shop on "
           "eBay</span></div></a>" +
           Row("<span class=\"su-styled-text primary bold large-1 "
               "s-card__price\">" +
               price + "</span>") +
           "</div></div></li></ul></div>\n";
  }
  return "<li class=\"s-item s-item__pl-on-bottom\" id=item1e240 "
         "data-viewport=\"{&quot;trackableId&quot;:&quot;ph&quot;}\"><div "
         "class=s-item__wrapper><div class=s-item__info><a class=s-item__link "
         "href=\"" +
         link +
         "\"><div class=s-item__title><span role=heading aria-level=3>Shop on "
         "eBay</span></div></a><div class=s-item__details><div "
         "class=s-item__detail><span class=s-item__price>" +
         price + "</span></div></div></div></div></li>\n";
}

std::string Grouped(int n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string Pagination(const Context& c, std::string_view expression,
                       Layout layout, int page, int pages) {
  const auto link = [&](int p) {
    return SoldSearchLink(c.origin, expression, p);
  };
  std::string nav =
      "<nav class=pagination role=navigation aria-labelledby=pgn><h2 id=pgn "
      "class=clipped>Results Pagination - Page " +
      std::to_string(page) +
      "</h2><a class=\"pagination__previous icon-link\" href=\"" +
      link(std::max(page - 1, 1)) + "\"" +
      (page == 1 ? " aria-disabled=true" : "") +
      " type=previous aria-label=\"Go to previous search page\"><svg "
      "class=icon aria-hidden=true><use "
      "href=\"#icon-chevron-left-24\"></use></svg></a><ol "
      "class=pagination__items>";
  for (int p = std::max(1, page - kPagesAround);
       p <= std::min(pages, page + kPagesAround); ++p) {
    nav += "<li><a class=pagination__item href=\"" + link(p) + "\"" +
           (p == page ? " aria-current=page" : "") + ">" + std::to_string(p) +
           "</a></li>";
  }
  nav += "</ol>";
  if (page < pages) {
    nav += "<a class=\"pagination__next icon-link\" href=\"" + link(page + 1) +
           "\"" + kNextLabel + "</a>";
  } else if (layout == Layout::kCard) {
    nav +=
        "<button class=\"pagination__next icon-btn\" aria-disabled=\"true\"" +
        std::string(kNextLabel) + "</button>";
  } else {
    // Still a link, to the page after: only its aria-disabled says no.
    nav += "<a class=\"pagination__next icon-link\" href=\"" + link(page + 1) +
           "\" aria-disabled=\"true\"" + kNextLabel + "</a>";
  }
  return nav + "</nav>\n";
}

}  // namespace

std::string SoldSearchLink(std::string_view origin, std::string_view expression,
                           int page) {
  return std::string(origin) + "/sch/i.html?_nkw=" + EncodeQuery(expression) +
         "&amp;LH_Sold=1&amp;LH_Complete=1&amp;_sop=13&amp;_ipg=" +
         std::to_string(kPageSize) + "&amp;_pgn=" + std::to_string(page);
}

std::string SoldPage(std::string_view expression,
                     const SoldPageOptions& options) {
  const int total =
      options.total >= 0 ? options.total : ResultCount(expression);
  const int page_number = std::max(options.page, 1);
  const int pages = std::max(1, (total + kPageSize - 1) / kPageSize);
  const std::vector<std::string> words = TitleWords(expression);
  const Context c{HtmlEscape(options.origin), EncodeQuery(expression),
                  words.empty() ? "" : words.front(), options.currency};
  const std::vector<SoldListing> listings =
      SoldListings(expression, total, (page_number - 1) * kPageSize, kPageSize,
                   *options.currency);
  const std::string shown = HtmlEscape(expression);
  const auto append = [&](std::string& page, const SoldListing& l, int n) {
    if (options.layout == Layout::kCard) {
      AppendCard(page, c, l, n);
    } else {
      AppendListItem(page, c, l, n);
    }
  };

  std::string page;
  page.reserve(160 * 1024);
  page += kHead + shown + " for sale | eBay" + kStyleAndScript;
  page +=
      "<!--F#f_page--><div class=srp-controls__control><h1 "
      "class=\"srp-controls__count-heading\"><span class=BOLD>" +
      Grouped(total) + "</span> results" + (total == 0 ? " found" : "") +
      " for <span class=BOLD>" + shown + "</span></h1></div>\n";
  if (options.layout == Layout::kCard) {
    page += Placeholder(options.layout, *options.currency);
  }
  // A short search goes on with listings that match only some of its words:
  // a search of its first word alone, told apart from the whole search by a
  // byte no title shows, so the items differ.
  const bool short_search = total < kPageSize && page_number == 1;
  if (total == 0) {
    page += "<div class=\"srp-river-answer srp-river-answer--REWRITE_START\">" +
            std::string(kFewerWords) + "</div>\n";
  }
  page += "<ul class=\"srp-results srp-list clearfix\">";
  if (options.layout == Layout::kList) {
    page += Placeholder(options.layout, *options.currency);
  }
  int n = 1;
  for (std::size_t i = 0; i < listings.size(); ++i) {
    // The last page of a long search ends with sellers from abroad, under
    // a heading that is no cut.
    if (page_number == pages && pages > 1 && listings.size() > 3 &&
        i == listings.size() - 3) {
      page +=
          "<li class=\"srp-river-answer "
          "srp-river-answer--BASIC_PAGINATION_V2\"><div "
          "class=srp-river-answer__header>Results from international "
          "sellers</div></li>\n";
    }
    append(page, listings[i], n++);
  }
  if (short_search) {
    if (total > 0) {
      page +=
          "<li class=\"srp-river-answer srp-river-answer--REWRITE_START\">" +
          std::string(kFewerWords) + "</li>\n";
    }
    const std::string fewer =
        std::string(expression.substr(0, expression.find(' '))) + '\x1f';
    for (const SoldListing& l :
         SoldListings(fewer, kFewerWordsListings, 0, kFewerWordsListings,
                      *options.currency)) {
      append(page, l, n++);
    }
  }
  page += "</ul>\n";
  if (total > 0) {
    page += Pagination(c, expression, options.layout, page_number, pages);
  }
  page += "<script>window.SRP.done=1;</script></body></html>\n";
  return page;
}

std::string SoldItemPage(std::string_view item) {
  const std::string shown = HtmlEscape(item);
  return std::string(kHead) + "Item " + shown +
         " | eBay</title></head><body><h1 class=x-item-title__mainTitle><span "
         "class=\"ux-textspans ux-textspans--BOLD\">Item " +
         shown +
         "</span></h1><div class=d-statusmessage><span class=ux-textspans>This "
         "listing has ended.</span></div></body></html>\n";
}

std::string ChallengePage() {
  return std::string(kHead) +
         "Pardon Our Interruption...</title></head><body><div "
         "class=container><h1>Pardon Our Interruption</h1><p>As you were "
         "browsing something about your browser made us think you were a "
         "bot. There are a few reasons this might happen:</p><ul><li>You're "
         "a power user moving through this website with super-human "
         "speed.</li><li>You've disabled cookies in your web "
         "browser.</li><li>A third-party browser plugin, such as Ghostery or "
         "NoScript, is preventing JavaScript from running.</li></ul><p>To "
         "regain access, please make sure that cookies and JavaScript are "
         "enabled before reloading the page.</p><form id=captcha_form "
         "action=\"/splashui/challenge\" method=post><div class=h-captcha "
         "data-sitekey=10000000-ffff-ffff-ffff-000000000001></div><script "
         "src=\"https://hcaptcha.com/1/api.js\" async "
         "defer></script></form></div></body></html>\n";
}

}  // namespace tolvane::sample
