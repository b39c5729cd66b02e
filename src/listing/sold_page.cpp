#include "listing/sold_page.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>

#include "listing/html_scanner.h"
#include "listing/html_text.h"
#include "listing/page_parser.h"
#include "listing/sold_card_text.h"
#include "util/money.h"

namespace tolvane {
namespace {

// The "Shop on eBay" card: the site's own advertisement, never a listing.
constexpr std::string_view kPlaceholderItem = "123456";

// What an element opens, told by its class names and its tag.
enum Role : unsigned {
  kList,     // the results list
  kTitle,    // the listing's title
  kCaption,  // "Sold  Mar 7, 2026"
  kPrice,    // the sold price
  kStruck,   // a struck-through amount
  kClipped,  // text for screen readers only ("Opens in a new window")
  kRoleCount,
};

// Two more things a class name tells, at once rather than while open, in
// bits above those of Role.
constexpr unsigned kCardMark = 1u << 30;      // a card begins
constexpr unsigned kNextPageMark = 1u << 31;  // the next page's link

struct ClassName {
  std::string_view lower;
  unsigned bits;
};

constexpr ClassName kClassNames[] = {
    {"srp-results", 1u << kList},
    {"s-card", kCardMark},
    {"s-item", kCardMark},
    {"s-card__title", 1u << kTitle},
    {"s-item__title", 1u << kTitle},
    {"s-card__caption", 1u << kCaption},
    {"s-item__caption", 1u << kCaption},
    {"s-item__caption--signal", 1u << kCaption},
    {"s-item__title--tag", 1u << kCaption},
    {"s-card__price", 1u << kPrice},
    {"s-item__price", 1u << kPrice},
    {"strikethrough", 1u << kStruck},
    {"clipped", 1u << kClipped},
    {"pagination__next", kNextPageMark},
};

// The lengths of the names above, one bit each (modulo 64): most class
// names on a page are none of them, and their length alone tells so.
constexpr std::uint64_t kClassNameLengths = [] {
  std::uint64_t lengths{};
  for (const ClassName& known : kClassNames) {
    lengths |= std::uint64_t{1} << known.lower.size() % 64;
  }
  return lengths;
}();

// What the element's class names tell, as bits of Role and the marks.
unsigned ClassBits(std::string_view classes) {
  unsigned bits = 0;
  ForEachClass(classes, [&](std::string_view name) {
    if ((kClassNameLengths >> name.size() % 64 & 1u) == 0) return;
    for (const ClassName& known : kClassNames) {
      if (EqualsFolded(name, known.lower)) bits |= known.bits;
    }
  });
  return bits;
}

// Elements that never hold anything and have no end tag.
bool IsVoid(std::string_view name) {
  static constexpr std::string_view kVoid[] = {
      "area",  "base", "br",   "col",   "embed",  "hr",    "img",
      "input", "link", "meta", "param", "source", "track", "wbr"};
  for (const std::string_view candidate : kVoid) {
    if (name == candidate) return true;
  }
  return false;
}

// Whether `lower` occurs in the text, its ASCII letters in any case.
bool ContainsFolded(std::string_view text, std::string_view lower) {
  const auto same = [](char page, char wanted) {
    return LowerAscii(page) == wanted;
  };
  return std::search(text.begin(), text.end(), lower.begin(), lower.end(),
                     same) != text.end();
}

// The site's check that a person is searching: its title, or a captcha or
// challenge form. A classic page that mentions a captcha among its auctions
// stays a result page.
bool IsChallenge(std::string_view page) {
  return (ContainsFolded(page, "pardon our interruption") ||
          ContainsFolded(page, "captcha") ||
          ContainsFolded(page, "/splashui/challenge")) &&
         page.find(kItemLink) == std::string_view::npos;
}

bool HasDigit(std::string_view text) {
  return text.find_first_of("0123456789") != std::string_view::npos;
}

// The card being read: where it is, and its texts as the page has them.
struct Card {
  Card(std::size_t element, bool in_results)
      : at(element), counted(in_results) {}

  std::size_t at;  // its element among the open ones
  bool counted;    // inside the results list, before the divider
  std::string item;
  std::string title;
  bool title_has_words = false;
  bool title_done = false;
  std::string caption;
  std::string price;         // the price's amounts that are not struck
  std::string struck_price;  // and those that are
  std::optional<std::string> bids;
};

class Reader {
 public:
  SoldPage Read(std::string_view page);

 private:
  struct Open {
    unsigned roles;  // bits of Role
    int* count;      // of open elements of this name
  };

  void Start(const HtmlToken& tag);
  void End(const std::string& name);
  void Text(std::string_view raw);
  // Closes the open elements down to `size` of them.
  void CloseDownTo(std::size_t size);
  void FinishCard(const Card& card);
  bool Inside(Role role) const { return inside_[role] > 0; }

  SoldPage page_;
  std::vector<Open> open_;
  // Open elements by name: an end tag closes the innermost of its name, or
  // is a stray one when none is open.
  std::unordered_map<std::string, int> open_by_name_;
  std::array<int, kRoleCount> inside_{};
  bool cut_ = false;
  std::optional<Card> card_;
};

SoldPage Reader::Read(std::string_view page) {
  HtmlScanner scanner(page);
  HtmlToken token;
  while (scanner.Next(token)) {
    if (token.kind == HtmlToken::Kind::kStartTag) {
      Start(token);
    } else if (token.kind == HtmlToken::Kind::kEndTag) {
      End(token.name);
    } else {
      Text(token.text);
    }
  }
  // A card still open at the page's end ends with it.
  if (card_) CloseDownTo(card_->at);
  return std::move(page_);
}

void Reader::Start(const HtmlToken& tag) {
  const HtmlAttribute* class_attribute = tag.Attribute("class");
  const std::string_view classes =
      class_attribute ? class_attribute->value : std::string_view();
  const unsigned bits = ClassBits(classes);
  unsigned roles = bits & ((1u << kRoleCount) - 1);
  if (tag.name == "s" || tag.name == "strike" || tag.name == "del") {
    roles |= 1u << kStruck;
  }
  const HtmlAttribute* href = tag.Attribute("href");
  if (tag.name == "li" && (bits & kCardMark) != 0) {
    // A card left open ends where the next one begins.
    if (card_) CloseDownTo(card_->at);
    card_.emplace(open_.size(), Inside(kList) && !cut_);
    if (const HtmlAttribute* id = tag.Attribute("data-listingid")) {
      card_->item = DigitsOnly(id->value);
    }
  } else if (tag.name == "a" && href != nullptr) {
    if (card_ && card_->item.empty()) card_->item = ItemOfLink(href->value);
    const HtmlAttribute* disabled = tag.Attribute("aria-disabled");
    if (!page_.next_page && (bits & kNextPageMark) != 0 &&
        !(disabled && EqualsFolded(disabled->value, "true"))) {
      std::string address;
      AppendDecoded(address, href->value);
      page_.next_page = std::move(address);
    }
  }
  if (IsVoid(tag.name)) return;
  int& count = open_by_name_[tag.name];
  ++count;
  open_.push_back({roles, &count});
  for (unsigned role = 0; role < kRoleCount; ++role) {
    inside_[role] += static_cast<int>((roles >> role) & 1u);
  }
}

void Reader::End(const std::string& name) {
  const auto found = open_by_name_.find(name);
  if (found == open_by_name_.end() || found->second == 0) return;
  const int* count = &found->second;
  std::size_t size = open_.size();
  while (open_[size - 1].count != count) --size;
  CloseDownTo(size - 1);
}

void Reader::CloseDownTo(std::size_t size) {
  while (open_.size() > size) {
    const Open closed = open_.back();
    open_.pop_back();
    --*closed.count;
    for (unsigned role = 0; role < kRoleCount; ++role) {
      inside_[role] -= static_cast<int>((closed.roles >> role) & 1u);
    }
    if (card_ && (closed.roles & (1u << kTitle)) != 0 && !Inside(kTitle)) {
      card_->title_done = true;
    }
    if (card_ && open_.size() == card_->at) {
      FinishCard(*card_);
      card_.reset();
    }
  }
}

void Reader::Text(std::string_view raw) {
  if (!card_ || !Inside(kTitle)) {
    const std::size_t first = raw.find_first_not_of(" \t\r\n\f");
    // Only a text that may begin the divider is decoded to be compared.
    if (!cut_ && first != std::string_view::npos &&
        std::string_view("ReEe").find(raw[first]) != std::string_view::npos) {
      std::string text;
      AppendDecoded(text, raw);
      cut_ = IsFewerWordsDivider(Collapsed(text));
    }
  }
  if (!card_ || !card_->counted) return;
  Card& card = *card_;
  if (Inside(kTitle)) {
    if (card.title_done || Inside(kClipped)) return;
    std::string text;
    AppendDecoded(text, raw);
    if (!card.title_has_words) {
      // The badge is an element of its own before the title's words.
      const std::string words = Collapsed(text);
      if (IsNewListingBadge(words)) return;
      card.title_has_words = !words.empty();
    }
    card.title += text;
  } else if (Inside(kCaption)) {
    AppendDecoded(card.caption, raw);
  } else if (Inside(kPrice)) {
    AppendDecoded(Inside(kStruck) ? card.struck_price : card.price, raw);
  } else if (!card.bids && HasDigit(raw)) {
    std::string text;
    AppendDecoded(text, raw);
    card.bids = BidsOfText(Collapsed(text));
  }
}

void Reader::FinishCard(const Card& card) {
  if (!card.counted || card.item.empty() || card.item == kPlaceholderItem) {
    return;
  }
  const CardCaption caption = ReadCardCaption(Collapsed(card.caption));
  if (caption.kind == CardCaption::Kind::kNone) {
    ++page_.for_sale;
    return;
  }
  ParsedItem listing;
  listing.Item = card.item;
  listing.Description = Collapsed(card.title);
  listing.Bids = card.bids ? *card.bids : "-";
  // A struck amount beside the sold price is the asking price; a sold price
  // that is itself struck was the asking price of an accepted offer.
  const bool struck = !HasDigit(card.price) && HasDigit(card.struck_price);
  const MoneyReading reading =
      ReadMoney(Collapsed(struck ? card.struck_price : card.price));
  if (reading.money) {
    if (page_.currency.empty()) page_.currency = reading.money->currency;
    if (reading.money->currency == page_.currency) {
      listing.Price = GridPriceText(*reading.money);
    }
  }
  if (caption.date) listing.Ended = DatedEndText({*caption.date, {}, {}});
  listing.checked = caption.kind == CardCaption::Kind::kSold && !struck;
  page_.listings.push_back(std::move(listing));
}

}  // namespace

PageKind RecognisePage(std::string_view page) {
  HtmlScanner scanner(page);
  HtmlToken token;
  while (scanner.Next(token)) {
    if (token.kind != HtmlToken::Kind::kStartTag) continue;
    const HtmlAttribute* classes = token.Attribute("class");
    if (classes && HasClass(classes->value, "srp-results")) {
      return PageKind::kSoldListings;
    }
  }
  return IsChallenge(page) ? PageKind::kChallenge : PageKind::kClassic;
}

SoldPage ReadSoldPage(std::string_view page) { return Reader().Read(page); }

}  // namespace tolvane
