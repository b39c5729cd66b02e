#pragma once

#include <functional>
#include <string>
#include <vector>

#include "listing/parsed_item.h"

namespace tolvane {

// The link that starts the result list. A page whose list begins further
// than this many characters into the text loses its head, so the walk over
// the auctions starts close to the first of them.
inline constexpr const char* kCategoryLink = "eBayISAPI.dll?ViewItem&category";
inline constexpr int kHeadLimit = 20000;
inline constexpr int kHeadKept = 9;

// The markers the walk over a result page relies on, in the order it looks
// for them.
inline constexpr const char* kItemLink = "ViewItem&item=";
inline constexpr const char* kTagEnd = "\">";
inline constexpr const char* kLinkEnd = "</a>";
inline constexpr const char* kPictureLink = " border=0 ";
inline constexpr const char* kDollar = "$";
inline constexpr const char* kClosingTag = "</";
inline constexpr const char* kCellFont = "<font size=3>";
inline constexpr const char* kTagStart = "<";
inline constexpr const char* kClassifiedAd = "realestate/classifiedAd";
inline constexpr const char* kFontEnd = "</font>";
inline constexpr const char* kNextPageLink = ">Next ></a>";
inline constexpr const char* kEndedNotAvailable = "notAvail";

// The text of a string list: every line followed by CR LF.
std::string LinesText(const std::vector<std::string>& lines);

// The page text the walk starts on, from the text of the page's lines
// (every line followed by CR LF). When the category link lies beyond
// kHeadLimit, the text from kHeadKept characters before it onward, split
// into lines and joined again; otherwise the text as it is.
std::string PageTextOf(std::string text);

struct PageWalkResult {
  // The text still held ">Next ></a>" when the list ended: the page links a
  // following page.
  bool next_page = false;
  // What the walk left of the text, with that link consumed.
  std::string rest;
};

// Called once for every auction cut from the page, with the record as it
// stands after the cut.
using AuctionSink = std::function<void(const ParsedItem&)>;

// Cuts one auction after another out of the page text into `current` and
// hands each to the sink. The record is reused: every field is assigned on
// every pass; when no "$" remains for an auction its price is left empty so
// that it cannot be added with another auction's price. A price text that
// AddItem would refuse ends just after the first character that makes it
// so: it is refused all the same, and is not copied up to a distant tag.
//
// The text is any bytes, of any size. Each marker found is consumed the way
// the program always has: it is overwritten by a one-character placeholder
// that later searches see. The cost is linear in the size of the page.
PageWalkResult WalkAuctions(std::string text, ParsedItem& current,
                            const AuctionSink& sink);

}  // namespace tolvane
