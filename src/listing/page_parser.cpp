#include "listing/page_parser.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "util/tessik_glo.h"

namespace tolvane {
namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr std::size_t kItemDigits = 10;

// Finds one marker again and again while the text is consumed from the
// front. Consuming only overwrites markers with '.', which no marker holds,
// so an occurrence never appears where none was: a stretch once scanned in
// vain need not be scanned again, and each marker's scans together cover the
// page once.
class MarkerScan {
 public:
  explicit MarkerScan(std::string_view marker) : marker_(marker) {}

  // The first occurrence at or after `from` (never less than any earlier
  // `from`), or kNone.
  std::size_t Next(std::string_view text, std::size_t from) {
    if (found_ == kNone) return kNone;
    if (found_ >= from) {
      if (text.compare(found_, marker_.size(), marker_) == 0) return found_;
      from = found_ + 1;
    }
    found_ = Search(text, from);
    return found_;
  }

 private:
  // Markup is full of the markers' first characters: the second is
  // compared before the rest.
  std::size_t Search(std::string_view text, std::size_t from) const {
    const std::size_t size = marker_.size();
    if (size > text.size()) return kNone;
    const std::size_t last = text.size() - size;
    while (from <= last) {
      const void* hit =
          std::memchr(text.data() + from, marker_[0], last - from + 1);
      if (hit == nullptr) return kNone;
      from =
          static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
      if (size == 1 ||
          (text[from + 1] == marker_[1] &&
           text.compare(from + 2, size - 2, marker_.substr(2)) == 0)) {
        return from;
      }
      ++from;
    }
    return kNone;
  }

  std::string_view marker_;
  // The last occurrence found; none lies between the `from` of that search
  // and it. Starts at 0, as if one were found at the start.
  std::size_t found_ = 0;
};

// The page text as the walk sees it, kept without copying: the bytes from
// cursor_ on, where each consumed marker of n bytes reads as one '.'.
// Physically all n bytes become '.'; the first stays and the other n - 1 are
// hidden, one bit per byte. A bit set costs no more on a page of a thousand
// hidden stretches than on one of ten, so the walk stays linear.
class WalkText {
 public:
  explicit WalkText(std::string text) : bytes_(std::move(text)) {}

  bool Empty() const { return cursor_ >= bytes_.size(); }
  std::size_t Cursor() const { return cursor_; }
  std::size_t End() const { return bytes_.size(); }
  std::string_view Bytes() const { return bytes_; }

  // Drops the text before byte `at` (at most End()).
  void MoveTo(std::size_t at) {
    cursor_ = at < bytes_.size() ? at : bytes_.size();
  }
  void Clear() { MoveTo(bytes_.size()); }

  // The text's first occurrence of the marker, as a byte index, or kNone.
  std::size_t Find(MarkerScan& scan) { return scan.Next(bytes_, cursor_); }

  // The same, as the plain-string search sees it: the text ends at its
  // first zero byte, and an occurrence ending on the last character is not
  // found.
  std::size_t FindPlain(MarkerScan& scan, std::size_t marker_size) {
    const std::size_t at = scan.Next(bytes_, cursor_);
    if (at == kNone) return kNone;
    const std::size_t zero = zeros_.Next(bytes_, cursor_);
    const std::size_t end = zero == kNone ? bytes_.size() : zero;
    // The marker holds no '.', so its last byte is never hidden: the byte
    // after it, if any before `end`, is still part of the text.
    return at + marker_size < end ? at : kNone;
  }

  // Consumes the marker of `size` bytes at byte `at`.
  void Consume(std::size_t at, std::size_t size) {
    bytes_.replace(at, size, size, '.');
    if (size < 2) return;
    // Only a page with consumed markers pays for the bits.
    if (hidden_.empty()) hidden_.resize(bytes_.size() / 64 + 1);
    for (std::size_t i = at + 1; i < at + size; ++i) {
      hidden_[i / 64] |= std::uint64_t{1} << (i % 64);
    }
  }

  // The text's characters from byte `from` up to byte `to`. Both are
  // characters of the text (never hidden), or End().
  std::string Between(std::size_t from, std::size_t to) const {
    std::string out;
    while (from < to) {
      const std::size_t stop = NextHidden(from, to);
      out.append(bytes_, from, stop - from);
      from = NextShown(stop, to);
    }
    return out;
  }

  // The text from the cursor on, made in place: a page of hundreds of
  // megabytes needs no second copy.
  std::string Rest() && {
    std::size_t out = 0;
    for (std::size_t from = cursor_; from < bytes_.size();) {
      const std::size_t stop = NextHidden(from, bytes_.size());
      if (out != from) {
        std::memmove(bytes_.data() + out, bytes_.data() + from, stop - from);
      }
      out += stop - from;
      from = NextShown(stop, bytes_.size());
    }
    bytes_.resize(out);
    return std::move(bytes_);
  }

  // Up to `count` characters from byte `from`.
  std::string Take(std::size_t from, std::size_t count) const {
    return Between(from, Skip(from, count));
  }

  // The byte `count` characters after the one at `from` (a character of the
  // text), or End().
  std::size_t Skip(std::size_t from, std::size_t count) const {
    for (; count > 0 && from < bytes_.size(); --count) from = After(from);
    return from < bytes_.size() ? from : bytes_.size();
  }

  // The byte of the character that follows the one at `at`.
  std::size_t After(std::size_t at) const {
    return NextShown(at + 1, bytes_.size());
  }

 private:
  bool Hidden(std::size_t at) const {
    return !hidden_.empty() && (hidden_[at / 64] >> (at % 64) & 1) != 0;
  }

  // The first hidden byte in [from, to), or `to`: a word of bits at a time.
  std::size_t NextHidden(std::size_t from, std::size_t to) const {
    if (hidden_.empty()) return to;
    while (from < to) {
      const std::uint64_t word = hidden_[from / 64] >> (from % 64);
      if (word != 0) {
        return std::min(
            to, from + static_cast<std::size_t>(std::countr_zero(word)));
      }
      from = (from / 64 + 1) * 64;
    }
    return to;
  }

  // The first byte at or after `from` that is not hidden, or `to`. Hidden
  // stretches are shorter than the longest marker.
  std::size_t NextShown(std::size_t from, std::size_t to) const {
    while (from < to && Hidden(from)) ++from;
    return std::min(from, to);
  }

  std::string bytes_;
  std::size_t cursor_ = 0;
  std::vector<std::uint64_t> hidden_;
  MarkerScan zeros_{std::string_view("\0", 1)};
};

struct Markers {
  MarkerScan item_link{kItemLink};
  MarkerScan tag_end{kTagEnd};
  MarkerScan link_end{kLinkEnd};
  MarkerScan dollar{kDollar};
  MarkerScan closing_tag{kClosingTag};
  MarkerScan cell_font{kCellFont};
  MarkerScan tag_start{kTagStart};
  MarkerScan classified_ad{kClassifiedAd};
  MarkerScan font_end{kFontEnd};
};

constexpr std::size_t Size(const char* marker) {
  return std::string_view(marker).size();
}

// The anchor text of the link whose item marker was just consumed: both the
// end of its opening tag and its closing tag are consumed, wherever they
// are found.
struct Anchor {
  std::size_t tag_end = kNone;   // the '.' left of the opening tag's end
  std::size_t link_end = kNone;  // the '.' left of "</a>"
  std::string text;
};

Anchor TakeAnchor(WalkText& page, Markers& markers) {
  Anchor anchor;
  anchor.tag_end = page.Find(markers.tag_end);
  if (anchor.tag_end != kNone) page.Consume(anchor.tag_end, Size(kTagEnd));
  anchor.link_end = page.Find(markers.link_end);
  if (anchor.link_end != kNone) page.Consume(anchor.link_end, Size(kLinkEnd));
  // Text only when the closing tag follows the opening one.
  if (anchor.tag_end != kNone && anchor.link_end != kNone &&
      anchor.link_end > anchor.tag_end) {
    anchor.text = page.Between(anchor.tag_end + Size(kTagEnd), anchor.link_end);
  }
  return anchor;
}

// Drops as many characters as the position of the anchor's first character
// (so that one goes too); without an opening tag, nothing. The position is
// the one found before the closing tag was consumed: when that tag lay
// before, the text in between has since become shorter and the same count
// reaches further.
void DropOpeningTag(WalkText& page, const Anchor& anchor) {
  if (anchor.tag_end == kNone) return;
  const bool shifted =
      anchor.link_end != kNone && anchor.link_end < anchor.tag_end;
  const std::size_t first = anchor.tag_end + Size(kTagEnd);
  page.MoveTo(page.Skip(first, shifted ? Size(kLinkEnd) : 1));
}

// Moves past the next item link; without one, the text is used up.
void DropItemLink(WalkText& page, Markers& markers) {
  const std::size_t at = page.Find(markers.item_link);
  if (at == kNone) {
    page.Clear();
  } else {
    page.MoveTo(at + Size(kItemLink));
  }
}

// Moves to the '.' left of the next cell's font tag; without one, the text
// is used up.
void DropToCellFont(WalkText& page, Markers& markers) {
  const std::size_t at = page.Find(markers.cell_font);
  if (at == kNone) {
    page.Clear();
  } else {
    page.Consume(at, Size(kCellFont));
    page.MoveTo(at);
  }
}

std::string CutItemNumber(const WalkText& page) {
  std::string item = page.Take(page.Cursor(), kItemDigits);
  TessikGlo::ReplaceFirst(item, "\"", "");
  TessikGlo::ReplaceFirst(item, "#", "");
  return item;
}

void CutDescription(WalkText& page, Markers& markers, ParsedItem& current) {
  Anchor anchor = TakeAnchor(page, markers);
  // A picture link comes first on some auctions; its anchor is the image.
  // The title link follows, and the item number stays the one already cut.
  if (TessikGlo::Find(anchor.text, kPictureLink) != -1) {
    DropOpeningTag(page, anchor);
    DropItemLink(page, markers);
    anchor = TakeAnchor(page, markers);
  }
  DropOpeningTag(page, anchor);
  // Then as many as the anchor text holds: the text resumes after the
  // closing tag's placeholder.
  if (!anchor.text.empty()) page.MoveTo(page.After(anchor.link_end));
  current.Description = std::move(anchor.text);
}

// Where a price text from byte `from` to byte `to` stops being usable: just
// after the first character that makes AddItem refuse it (anything but
// digits, line feeds and zero bytes, or a second ".", "$", "," or " "), or
// `to` when the whole text is usable. A price cell runs to the next "</",
// which on a broken page can lie megabytes away; a text already refused
// after a few characters is not copied any further.
std::size_t UsablePriceEnd(const WalkText& page, std::size_t from,
                           std::size_t to) {
  const std::string_view bytes = page.Bytes();
  bool seen_point = false, seen_dollar = false, seen_comma = false,
       seen_space = false;
  for (std::size_t at = from; at < to; at = page.After(at)) {
    const char c = bytes[at];
    if ((c >= '0' && c <= '9') || c == '\n' || c == '\0') continue;
    bool* seen = c == '.'   ? &seen_point
                 : c == '$' ? &seen_dollar
                 : c == ',' ? &seen_comma
                 : c == ' ' ? &seen_space
                            : nullptr;
    if (seen == nullptr || *seen) return page.After(at);
    *seen = true;
  }
  return to;
}

void CutPrice(WalkText& page, Markers& markers, ParsedItem& current) {
  current.Price.clear();
  const std::size_t dollar = page.FindPlain(markers.dollar, Size(kDollar));
  if (dollar == kNone) return;
  page.MoveTo(dollar);
  const std::size_t end = page.Find(markers.closing_tag);
  if (end == kNone) return;
  page.Consume(end, Size(kClosingTag));
  current.Price = page.Between(dollar, UsablePriceEnd(page, dollar, end));
}

void CutBids(WalkText& page, Markers& markers, ParsedItem& current) {
  DropToCellFont(page, markers);
  const std::size_t cell_end = page.Find(markers.tag_start);
  if (cell_end != kNone) page.Consume(cell_end, Size(kTagStart));
  const std::size_t ad =
      page.FindPlain(markers.classified_ad, Size(kClassifiedAd));
  if (ad != kNone && cell_end != kNone && cell_end > ad) {
    // A classified ad has no bids; the walk resumes inside its marker.
    current.Bids = "-";
    page.MoveTo(ad + 1);
    return;
  }
  if (cell_end == kNone) {
    current.Bids.clear();
    page.Clear();
    return;
  }
  current.Bids = page.Between(page.After(page.Cursor()), cell_end);
  page.MoveTo(cell_end + 1);
}

// Whether the plain-string search finds "<" in the text from byte `from` to
// byte `to`: that text ends at its first zero byte, and a "<" on its last
// character is not found. Consumed markers read as '.', so the bytes in
// between can be looked at as they lie.
bool HasPlainTagStart(std::string_view bytes, std::size_t from,
                      std::size_t to) {
  if (from >= to) return false;
  const void* hit = std::memchr(bytes.data() + from, '<', to - from);
  if (hit == nullptr) return false;
  const auto at =
      static_cast<std::size_t>(static_cast<const char*>(hit) - bytes.data());
  return at + 1 < to && bytes[at + 1] != '\0' &&
         std::memchr(bytes.data() + from, '\0', at - from) == nullptr;
}

void CutEnded(WalkText& page, Markers& markers, ParsedItem& current) {
  DropToCellFont(page, markers);
  const std::size_t end = page.Find(markers.font_end);
  current.Ended.clear();
  if (end == kNone) return;
  page.Consume(end, Size(kFontEnd));
  // The text stays at the cell: the next item link is looked for from here.
  const std::size_t from = page.After(page.Cursor());
  if (HasPlainTagStart(page.Bytes(), from, end)) {
    // Decided without copying the cell, which on a broken page can run to
    // a "</font>" megabytes away.
    current.Ended = kEndedNotAvailable;
  } else {
    current.Ended = page.Between(from, end);
  }
}

}  // namespace

std::string LinesText(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string PageTextOf(std::string text) {
  const int at = TessikGlo::Find(text, kCategoryLink);
  if (at > kHeadLimit) {
    // The text from kHeadKept characters before the link onward. Its lines
    // joined again are the same text, except that a cut between CR and LF
    // leaves a lone LF, which becomes a line break of its own.
    text.erase(0, static_cast<std::size_t>(at - kHeadKept - 1));
    if (text.front() == '\n') text.insert(0, 1, '\r');
  }
  return text;
}

PageWalkResult WalkAuctions(std::string text, ParsedItem& current,
                            const AuctionSink& sink) {
  WalkText page(std::move(text));
  Markers markers;
  while (!page.Empty()) {
    const std::size_t link = page.Find(markers.item_link);
    if (link == kNone) break;
    page.MoveTo(link + Size(kItemLink));
    current.Item = CutItemNumber(page);
    CutDescription(page, markers, current);
    CutPrice(page, markers, current);
    CutBids(page, markers, current);
    CutEnded(page, markers, current);
    sink(current);
  }
  PageWalkResult result;
  result.rest = std::move(page).Rest();
  result.next_page =
      TessikGlo::ReplaceFirst(result.rest, kNextPageLink, "V") != -1;
  return result;
}

}  // namespace tolvane
