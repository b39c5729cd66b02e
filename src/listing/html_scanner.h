#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

struct HtmlAttribute {
  std::string_view name;   // as written
  std::string_view value;  // without its quotes, entities not decoded
};

// One piece of a page's markup. Comments, declarations and the contents of
// scripts and style sheets are no pieces: they are passed over.
struct HtmlToken {
  enum class Kind { kText, kStartTag, kEndTag };
  Kind kind = Kind::kText;
  // kText: the bytes as the page has them, entities not decoded. The text
  // between two tags may come in more than one piece.
  std::string_view text;
  // Tags: the element's name in lower case.
  std::string name;
  // Tags: the attributes in page order; a text has none.
  std::vector<HtmlAttribute> attributes;

  // The value of the first attribute of this name (any letter case), or
  // nothing.
  const HtmlAttribute* Attribute(std::string_view attribute) const;
};

// Cuts a page into tags and texts the way a browser's tokenizer does, for
// the markup that matters to a reader: quoted, single-quoted and unquoted
// attribute values (a quoted value may hold ">" and the other quote), tag
// and attribute names in any letter case, comments, and scripts whose text
// mentions tags. Any bytes are accepted; a tag left open at the page's end
// is dropped. Every byte is looked at a bounded number of times.
class HtmlScanner {
 public:
  explicit HtmlScanner(std::string_view page) : page_(page) {}

  // Fills `token` with the next piece; false at the page's end.
  bool Next(HtmlToken& token);

 private:
  bool ReadTag(HtmlToken& token);
  void SkipRawText(std::string_view element);

  std::string_view page_;
  std::size_t at_ = 0;
  // Set after a title or text area opened: its text runs to its end tag.
  std::string_view text_until_;
};

// The character with an ASCII capital made small.
char LowerAscii(char c);

// Whether `text` equals `lower` with ASCII letters in any case.
bool EqualsFolded(std::string_view text, std::string_view lower);

// Calls `visit` with each of the blank-separated names of a class
// attribute's value.
template <typename Visit>
void ForEachClass(std::string_view classes, Visit visit) {
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
  };
  std::size_t at = 0;
  while (at < classes.size()) {
    while (at < classes.size() && blank(classes[at])) ++at;
    const std::size_t start = at;
    while (at < classes.size() && !blank(classes[at])) ++at;
    if (at > start) visit(classes.substr(start, at - start));
  }
}

// Whether the class attribute's value holds `lower` as one of its names, in
// any letter case.
bool HasClass(std::string_view classes, std::string_view lower);

}  // namespace tolvane
