#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "listing/literal_page_walk.h"
#include "listing/page_parser.h"
#include "util/files.h"

namespace tolvane::testing {
namespace {

const char* const kMarkers[] = {
    "ViewItem&item=",
    "\">",
    "</a>",
    "$",
    "</",
    "<font size=3>",
    "<",
    "realestate/classifiedAd",
    "</font>",
    ">Next ></a>",
    " border=0 ",
    "\"",
    "#",
    ".",
    "V",
    ">",
};

class PageGenerator {
 public:
  explicit PageGenerator(unsigned seed) : rng_(seed) {}

  int Below(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(rng_);
  }
  bool OneIn(int n) { return Below(n) == 0; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&options)[N]) {
    return options[Below(static_cast<int>(N))];
  }

  // A golden page, sometimes run on into the tail of another.
  std::string RealPage(const std::vector<std::string>& pages) {
    std::string page =
        pages[static_cast<std::size_t>(Below(static_cast<int>(pages.size())))];
    if (OneIn(3)) {
      const std::string& other = pages[static_cast<std::size_t>(
          Below(static_cast<int>(pages.size())))];
      page.resize(Position(page));
      page += other.substr(Position(other));
    }
    return page;
  }

  // Markers, bits of markup and stray bytes in any order: the walk's odd
  // paths come up far more often here than in well-formed pages.
  std::string Soup() {
    static const char* const kBits[] = {
        "12",           "Feb-17 21:23",
        "$1.00",        "-",
        "\r\n",         "<b>",
        "</b>",         "http://cgi.ebay.com/ws/eBayISAPI.dll?",
        "<a href=\"x",  "abc",
        "realestate/",  "<FONT size=3>",
        "Next &gt;</a>"};
    std::string page;
    const int tokens = Below(120);
    for (int i = 0; i < tokens; ++i) {
      switch (Below(3)) {
        case 0:
          page += Pick(kMarkers);
          break;
        case 1:
          page += Pick(kBits);
          break;
        default:
          page += RandomByte();
          break;
      }
    }
    return page;
  }

  void Mutate(std::string& page) {
    const int count = Below(7);
    for (int i = 0; i < count && !page.empty(); ++i) {
      const std::size_t at = Position(page);
      switch (Below(8)) {
        case 0: {  // a marker removed
          const std::string marker = Pick(kMarkers);
          const auto found = page.find(marker, at);
          if (found != std::string::npos) page.erase(found, marker.size());
          break;
        }
        case 1: {  // a stretch duplicated
          const std::size_t size = Length(page, at);
          page.insert(Position(page), page.substr(at, size));
          break;
        }
        case 2:  // truncated
          page.resize(at);
          break;
        case 3: {  // two stretches swapped
          const std::size_t size = Length(page, at);
          std::string piece = page.substr(at, size);
          page.erase(at, size);
          page.insert(Position(page), piece);
          break;
        }
        case 4:
          page.insert(at, 1, RandomByte());
          break;
        case 5:
          page.insert(at, Pick(kMarkers));
          break;
        case 6:
          page[at] = '\0';
          break;
        default: {  // upper-case tags
          const auto found = page.find("<font", at);
          if (found != std::string::npos) page.replace(found, 5, "<FONT");
          break;
        }
      }
    }
  }

 private:
  char RandomByte() {
    static const char kInteresting[] = {'\0', '<', '>', '$',    '"',  '.',
                                        '/',  'V', ' ', '\xA0', '\n', '\r'};
    if (OneIn(2)) return Pick(kInteresting);
    return static_cast<char>(Below(256));
  }
  std::size_t Position(const std::string& page) {
    return static_cast<std::size_t>(Below(static_cast<int>(page.size()) + 1));
  }
  std::size_t Length(const std::string& page, std::size_t at) {
    const int room = static_cast<int>(page.size() - at);
    return static_cast<std::size_t>(Below(std::min(room, 400) + 1));
  }

  std::mt19937 rng_;
};

struct FastWalk {
  std::vector<ParsedItem> items;
  PageWalkResult result;
};

FastWalk WalkFast(const std::string& page) {
  FastWalk walk;
  ParsedItem current;
  walk.result = WalkAuctions(page, current, [&](const ParsedItem& item) {
    walk.items.push_back(item);
  });
  return walk;
}

std::string Printable(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte < 127) {
      out += c;
    } else {
      static const char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

void ExpectSameWalk(const std::string& page) {
  const LiteralWalk want = WalkAuctionsLiterally(page);
  const FastWalk got = WalkFast(page);
  SCOPED_TRACE("page: " + Printable(page));
  ASSERT_EQ(got.items.size(), want.items.size());
  for (std::size_t i = 0; i < want.items.size(); ++i) {
    SCOPED_TRACE("auction " + std::to_string(i));
    EXPECT_EQ(got.items[i].Item, want.items[i].Item);
    EXPECT_EQ(got.items[i].Description, want.items[i].Description);
    EXPECT_TRUE(SamePrice(got.items[i].Price, want.items[i].Price))
        << Printable(got.items[i].Price);
    EXPECT_EQ(got.items[i].Bids, want.items[i].Bids);
    EXPECT_EQ(got.items[i].Ended, want.items[i].Ended);
  }
  EXPECT_EQ(got.result.next_page, want.next_page);
  EXPECT_EQ(got.result.rest, want.rest);
}

// The golden pages small enough for the slow literal walk.
std::vector<std::string> GoldenPages() {
  std::vector<std::string> pages;
  for (const auto& entry :
       std::filesystem::directory_iterator(TOLVANE_PAGES_DIR)) {
    const auto file = entry.path() / "page.htm";
    if (std::filesystem::file_size(file) < 8000) {
      pages.push_back(ReadWholeFile(file.string()));
    }
  }
  return pages;
}

// Catches any way the fast walk's bookkeeping of consumed markers parts from
// really replacing them: placeholders seen by later searches, failed searches
// emptying the text, the plain search's zero byte and last character.
TEST(PageWalkDifferentialTest, MutatedPagesWalkAsTheLiteralSteps) {
  const std::vector<std::string> pages = GoldenPages();
  ASSERT_FALSE(pages.empty());
  PageGenerator generator(20030217);
  for (int i = 0; i < 1200; ++i) {
    std::string page = generator.RealPage(pages);
    generator.Mutate(page);
    ExpectSameWalk(page);
    if (::testing::Test::HasFailure()) FAIL() << "page " << i;
  }
}

// Same, on markers and bytes in random order.
TEST(PageWalkDifferentialTest, MarkerSoupWalksAsTheLiteralSteps) {
  PageGenerator generator(4711);
  for (int i = 0; i < 8000; ++i) {
    std::string page = generator.Soup();
    generator.Mutate(page);
    ExpectSameWalk(page);
    if (::testing::Test::HasFailure()) FAIL() << "soup " << i;
  }
}

// Auctions whose price and end-time cells run to closing tags piled up at
// the end of the page: the walk must not copy those cells, yet give the
// same records.
TEST(PageWalkDifferentialTest, CellsRunningToDistantTagsWalkAsTheLiteralSteps) {
  const std::string kAuctions[] = {
      "ViewItem&item=1234567890\">d</a>$5<font size=3>7<x<font size=3>y",
      "ViewItem&item=1234567890\">d</a>5<font size=3>7<x<font size=3>y",
      "ViewItem&item=12345\">d</a>$5,0 1.<font size=3>-<font size=3>y<",
      "ViewItem&item=1\">d</a>$12<font size=3>3<font size=3>4",
  };
  PageGenerator generator(2026);
  for (const std::string& auction : kAuctions) {
    for (const int n : {1, 2, 40}) {
      std::string page;
      for (int i = 0; i < n; ++i) page += auction;
      for (int i = 0; i < 2 * n; ++i) page += "</font>";
      ExpectSameWalk(page);
      for (int i = 0; i < 20; ++i) {
        std::string mutated = page;
        generator.Mutate(mutated);
        ExpectSameWalk(mutated);
      }
      if (::testing::Test::HasFailure()) FAIL() << auction << " x" << n;
    }
  }
}

// Catches a head cut at the wrong character or a line break it splits
// differently from the literal text-to-lines round trip.
TEST(PageWalkDifferentialTest, HeadCutMatchesTheLiteralRule) {
  PageGenerator generator(99);
  for (int i = 0; i < 60; ++i) {
    std::vector<std::string> lines;
    std::string head(static_cast<std::size_t>(19960 + generator.Below(80)),
                     'h');
    // Line breaks land near the cut, also right before the marker.
    const int breaks = generator.Below(4);
    for (int b = 0; b < breaks; ++b) {
      head.insert(head.size() - static_cast<std::size_t>(generator.Below(14)),
                  generator.OneIn(2) ? "\n" : "\r");
    }
    std::string text = head + "ws/eBayISAPI.dll?ViewItem&category=1\nrest";
    if (generator.OneIn(5)) text += std::string(1, '\0') + "tail\r";
    // Lines as a file read would give them.
    std::string line;
    for (const char c : text) {
      if (c == '\n' || c == '\r') {
        lines.push_back(line);
        line.clear();
      } else {
        line += c;
      }
    }
    lines.push_back(line);
    EXPECT_EQ(PageTextOf(LinesText(lines)), PageTextLiterally(lines))
        << "case " << i;
  }
}

}  // namespace
}  // namespace tolvane::testing
