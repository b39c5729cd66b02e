#pragma once

// The walk over a result page done the slow, obvious way: every search runs
// on the whole remaining text, every consumed marker is really replaced and
// every drop copies the rest. The fast walk must give exactly these records.

#include <string>
#include <vector>

#include "listing/page_parser.h"
#include "listing/parsed_item.h"
#include "util/lines.h"
#include "util/tessik_glo.h"

namespace tolvane::testing {

struct LiteralWalk {
  std::vector<ParsedItem> items;
  bool next_page = false;
  std::string rest;
};

inline LiteralWalk WalkAuctionsLiterally(std::string t) {
  using G = TessikGlo;
  LiteralWalk walk;
  ParsedItem cur;
  for (;;) {
    int pos = G::ReplaceFirst(t, "ViewItem&item=", "V");
    if (pos == -1) break;
    cur.Item = SubString(t, pos + 1, 10);
    G::ReplaceFirst(cur.Item, "\"", "");
    G::ReplaceFirst(cur.Item, "#", "");
    t = G::TailAfter(t, pos);
    int d1 = G::ReplaceFirst(t, "\">", ".") + 1;
    int d2 = G::ReplaceFirst(t, "</a>", ".");
    cur.Description = SubString(t, d1, d2 - d1);
    if (G::ReplaceFirst(cur.Description, " border=0 ", " border=0 ") != -1) {
      t = G::TailAfter(t, d1);
      pos = G::ReplaceFirst(t, "ViewItem&item=", "V");
      t = G::TailAfter(t, pos);
      d1 = G::ReplaceFirst(t, "\">", ".") + 1;
      d2 = G::ReplaceFirst(t, "</a>", ".");
      cur.Description = SubString(t, d1, d2 - d1);
    }
    t = G::TailAfter(t, d1);
    t = G::TailAfter(t, static_cast<int>(cur.Description.size()));
    const int q = G::FindPlain(t, "$");
    if (q != -1) {
      t = G::TailAfter(t, q - 1);
      const int e = G::ReplaceFirst(t, "</", ".");
      cur.Price = SubString(t, 1, e - 1);
    } else {
      cur.Price = "";
    }
    int f = G::ReplaceFirst(t, "<font size=3>", ".");
    t = G::TailAfter(t, f - 1);
    const int e = G::ReplaceFirst(t, "<", ".");
    const int r = G::FindPlain(t, "realestate/classifiedAd");
    if (r == -1 || e <= r) {
      cur.Bids = SubString(t, 2, e - 2);
      t = G::TailAfter(t, e);
    } else {
      cur.Bids = "-";
      t = G::TailAfter(t, r);
    }
    f = G::ReplaceFirst(t, "<font size=3>", ".");
    t = G::TailAfter(t, f - 1);
    const int c = G::ReplaceFirst(t, "</font>", ".");
    cur.Ended = SubString(t, 2, c - 2);
    if (G::FindPlain(cur.Ended, "<") != -1) cur.Ended = "notAvail";
    walk.items.push_back(cur);
    if (t.empty()) break;
  }
  walk.next_page = G::ReplaceFirst(t, ">Next ></a>", "V") != -1;
  walk.rest = t;
  return walk;
}

// AddItem's price test, literally.
inline bool PriceUnusableLiterally(std::string price) {
  for (const char* mark : {".", "$", ",", " "})
    TessikGlo::ReplaceFirst(price, mark, "9");
  return !TessikGlo::IsAllDigits(price);
}

// The walk's price against the literal one: the same text, or, for a price
// AddItem refuses, the start of it up to where it became unusable.
inline bool SamePrice(const std::string& fast, const std::string& literal) {
  if (!PriceUnusableLiterally(literal)) return fast == literal;
  return PriceUnusableLiterally(fast) && literal.starts_with(fast);
}

// The whole head rule, literally: the lines' text, cut when the category
// link lies beyond character 20000, split into lines and joined again.
inline std::string PageTextLiterally(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  const int p = TessikGlo::Find(text, "eBayISAPI.dll?ViewItem&category");
  if (p > 20000) {
    std::string again;
    for (const std::string& l : SplitLines(TessikGlo::TailAfter(text, p - 10)))
      again += l + "\r\n";
    text = again;
  }
  return text;
}

}  // namespace tolvane::testing
