#include "listing/html_scanner.h"

namespace tolvane {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Where the end tag of `element` begins at or after `from`, or the page's
// size.
std::size_t RawTextEnd(std::string_view page, std::size_t from,
                       std::string_view element) {
  for (std::size_t at = page.find("</", from); at != std::string_view::npos;
       at = page.find("</", at + 2)) {
    const std::size_t after = at + 2 + element.size();
    if (after <= page.size() &&
        EqualsFolded(page.substr(at + 2, element.size()), element) &&
        (after == page.size() || IsSpace(page[after]) || page[after] == '/' ||
         page[after] == '>')) {
      return at;
    }
  }
  return page.size();
}

}  // namespace

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsFolded(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (LowerAscii(text[i]) != lower[i]) return false;
  }
  return true;
}

bool HasClass(std::string_view classes, std::string_view lower) {
  bool found = false;
  ForEachClass(classes, [&](std::string_view name) {
    found = found || EqualsFolded(name, lower);
  });
  return found;
}

const HtmlAttribute* HtmlToken::Attribute(std::string_view attribute) const {
  for (const HtmlAttribute& candidate : attributes) {
    if (EqualsFolded(candidate.name, attribute)) return &candidate;
  }
  return nullptr;
}

bool HtmlScanner::Next(HtmlToken& token) {
  while (at_ < page_.size()) {
    std::size_t end = at_;
    if (!text_until_.empty()) {
      end = RawTextEnd(page_, at_, text_until_);
      text_until_ = {};
    } else if (page_[at_] == '<') {
      if (ReadTag(token)) return true;
      continue;
    } else {
      end = page_.find('<', at_);
      if (end == std::string_view::npos) end = page_.size();
    }
    if (end == at_) continue;
    token.kind = HtmlToken::Kind::kText;
    token.text = page_.substr(at_, end - at_);
    token.attributes.clear();
    at_ = end;
    return true;
  }
  return false;
}

// At a "<": reads the tag there into `token` (true), or passes over a
// comment, a declaration or a tag cut off by the page's end (false). A "<"
// that opens nothing is a text of its own (true).
bool HtmlScanner::ReadTag(HtmlToken& token) {
  const std::size_t size = page_.size();
  const char next = at_ + 1 < size ? page_[at_ + 1] : '\0';
  const bool end_tag =
      next == '/' && at_ + 2 < size && IsLetter(page_[at_ + 2]);
  if (!end_tag && !IsLetter(next)) {
    if (next != '!' && next != '?' && next != '/') {
      token.kind = HtmlToken::Kind::kText;
      token.text = page_.substr(at_, 1);
      token.attributes.clear();
      ++at_;
      return true;
    }
    // "<!-->" is a whole comment: its end is looked for from the first "-".
    const bool comment = page_.substr(at_ + 1, 3) == "!--";
    const std::size_t close =
        comment ? page_.find("-->", at_ + 2) : page_.find('>', at_ + 1);
    at_ = close == std::string_view::npos ? size : close + (comment ? 3 : 1);
    return false;
  }
  std::size_t at = at_ + (end_tag ? 2 : 1);
  const std::size_t name_start = at;
  while (at < size && !IsSpace(page_[at]) && page_[at] != '/' &&
         page_[at] != '>') {
    ++at;
  }
  token.name.assign(page_.substr(name_start, at - name_start));
  for (char& c : token.name) c = LowerAscii(c);
  token.attributes.clear();
  for (;;) {
    while (at < size && (IsSpace(page_[at]) || page_[at] == '/')) ++at;
    if (at >= size) {
      at_ = size;
      return false;
    }
    if (page_[at] == '>') break;
    // An attribute's name may begin with "=", which then is part of it.
    const std::size_t attribute_start = at++;
    while (at < size && !IsSpace(page_[at]) && page_[at] != '/' &&
           page_[at] != '>' && page_[at] != '=') {
      ++at;
    }
    HtmlAttribute attribute{page_.substr(attribute_start, at - attribute_start),
                            {}};
    while (at < size && IsSpace(page_[at])) ++at;
    if (at < size && page_[at] == '=') {
      ++at;
      while (at < size && IsSpace(page_[at])) ++at;
      if (at < size && (page_[at] == '"' || page_[at] == '\'')) {
        const std::size_t close = page_.find(page_[at], at + 1);
        if (close == std::string_view::npos) {
          at_ = size;
          return false;
        }
        attribute.value = page_.substr(at + 1, close - at - 1);
        at = close + 1;
      } else {
        const std::size_t value_start = at;
        while (at < size && !IsSpace(page_[at]) && page_[at] != '>') ++at;
        attribute.value = page_.substr(value_start, at - value_start);
      }
    }
    token.attributes.push_back(attribute);
  }
  at_ = at + 1;
  token.kind = end_tag ? HtmlToken::Kind::kEndTag : HtmlToken::Kind::kStartTag;
  if (!end_tag) {
    if (token.name == "script" || token.name == "style") {
      // Their text is no markup and no reading matter: passed over whole.
      at_ = RawTextEnd(page_, at_, token.name);
    } else if (token.name == "title" || token.name == "textarea") {
      text_until_ = token.name == "title" ? "title" : "textarea";
    }
  }
  return true;
}

}  // namespace tolvane
