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

// clang-format off
const std::string kMarkers[] = {
    "ViewItem&item=", "\">", "</a>", "$", "</", "<font size=3>", "<",
    "realestate/classifiedAd", "</font>", ">Next ></a>", " border=0 ", "\"",
    "#", ".", "V", ">"};
// clang-format on

class PageGenerator {
 public:
  explicit PageGenerator(unsigned seed) : rng_(seed) {}

  int Below(std::size_t n) {
    return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(rng_);
  }
  template <typename C>
  const auto& Pick(const C& options) {
    return options[static_cast<std::size_t>(Below(std::size(options)))];
  }
  std::size_t Position(const std::string& page) {
    return static_cast<std::size_t>(Below(page.size() + 1));
  }

  // A golden page, sometimes run on into the tail of another.
  std::string RealPage(const std::vector<std::string>& pages) {
    std::string page = Pick(pages);
    if (Below(3) == 0) {
      const std::string& other = Pick(pages);
      page.resize(Position(page));
      page += other.substr(Position(other));
    }
    return page;
  }

  // Markers, bits of markup and stray bytes in any order: the walk's odd
  // paths come up far more often here than in well-formed pages.
  std::string Soup() {
    // clang-format off
    static const std::string kBits[] = {
        "12", "Feb-17 21:23", "$1.00", "-", "\r\n", "<b>", "</b>", "abc",
        "<a href=\"x", "realestate/", "<FONT size=3>", "Next &gt;</a>",
        "http://cgi.ebay.com/ws/eBayISAPI.dll?"};
    // clang-format on
    std::string page;
    for (int i = Below(120); i > 0; --i) {
      const int kind = Below(3);
      page += kind == 0   ? Pick(kMarkers)
              : kind == 1 ? Pick(kBits)
                          : std::string(1, RandomByte());
    }
    return page;
  }

  // Auctions whose price and end-time cells run to closing tags piled up at
  // the end of the page: the walk must not copy those cells.
  std::string PiledUp() {
    static const std::string kAuctions[] = {
        "ViewItem&item=1234567890\">d</a>$5<font size=3>7<x<font size=3>y",
        "ViewItem&item=1234567890\">d</a>5<font size=3>7<x<font size=3>y",
        "ViewItem&item=12345\">d</a>$5,0 1.<font size=3>-<font size=3>y<",
        "ViewItem&item=1\">d</a>$12<font size=3>3<font size=3>4"};
    static const int kCounts[] = {1, 2, 40};
    const std::string& auction = Pick(kAuctions);
    const int n = Pick(kCounts);
    std::string page;
    for (int i = 0; i < n; ++i) page += auction;
    for (int i = 0; i < 2 * n; ++i) page += "</font>";
    return page;
  }

  void Mutate(std::string& page) {
    for (int i = Below(7); i > 0 && !page.empty(); --i) {
      const std::size_t at = Position(page);
      const auto size = static_cast<std::size_t>(
          Below(std::min<std::size_t>(page.size() - at, 400) + 1));
      switch (Below(8)) {
        case 0: {  // a marker removed
          const std::string& marker = Pick(kMarkers);
          const auto found = page.find(marker, at);
          if (found != std::string::npos) page.erase(found, marker.size());
          break;
        }
        case 1:  // a stretch duplicated
          page.insert(Position(page), page.substr(at, size));
          break;
        case 2:  // truncated
          page.resize(at);
          break;
        case 3: {  // a stretch moved
          const std::string piece = page.substr(at, size);
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
        }
      }
    }
  }

 private:
  char RandomByte() {
    static const char kInteresting[] = {'\0', '<', '>', '$',    '"',  '.',
                                        '/',  'V', ' ', '\xA0', '\n', '\r'};
    return Below(2) == 0 ? Pick(kInteresting) : static_cast<char>(Below(256));
  }

  std::mt19937 rng_;
};

void ExpectSameWalk(const std::string& page) {
  const LiteralWalk want = WalkAuctionsLiterally(page);
  std::vector<ParsedItem> got;
  ParsedItem current;
  const PageWalkResult result = WalkAuctions(
      page, current, [&](const ParsedItem& item) { got.push_back(item); });
  SCOPED_TRACE("page: " + ::testing::PrintToString(page));
  ASSERT_EQ(got.size(), want.items.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE("auction " + std::to_string(i));
    EXPECT_EQ(got[i].Item, want.items[i].Item);
    EXPECT_EQ(got[i].Description, want.items[i].Description);
    EXPECT_TRUE(SamePrice(got[i].Price, want.items[i].Price))
        << ::testing::PrintToString(got[i].Price);
    EXPECT_EQ(got[i].Bids, want.items[i].Bids);
    EXPECT_EQ(got[i].Ended, want.items[i].Ended);
  }
  EXPECT_EQ(result.next_page, want.next_page);
  EXPECT_EQ(result.rest, want.rest);
}

// Catches any way the fast walk's bookkeeping of consumed markers parts from
// really replacing them: placeholders seen by later searches, failed searches
// emptying the text, the plain search's zero byte and last character, cells
// copied up to distant closing tags. Mutated golden pages small enough for
// the slow literal walk, marker soup and piled-up auctions.
TEST(PageWalkDifferentialTest, RandomPagesWalkAsTheLiteralSteps) {
  std::vector<std::string> pages;
  for (const auto& entry :
       std::filesystem::directory_iterator(TOLVANE_PAGES_DIR)) {
    const auto file = entry.path() / "page.htm";
    if (std::filesystem::file_size(file) < 8000)
      pages.push_back(ReadWholeFile(file.string()));
  }
  ASSERT_FALSE(pages.empty());
  PageGenerator generator(20030217);
  for (int i = 0; i < 9500; ++i) {
    std::string page = i < 1200   ? generator.RealPage(pages)
                       : i < 9200 ? generator.Soup()
                                  : generator.PiledUp();
    generator.Mutate(page);
    ExpectSameWalk(page);
    if (::testing::Test::HasFailure()) FAIL() << "page " << i;
  }
}

// Catches a head cut at the wrong character or a line break it splits
// differently from the literal text-to-lines round trip.
TEST(PageWalkDifferentialTest, HeadCutMatchesTheLiteralRule) {
  PageGenerator generator(99);
  for (int i = 0; i < 60; ++i) {
    // Line breaks land near the cut, also right before the marker.
    std::string text(static_cast<std::size_t>(19960 + generator.Below(80)),
                     'h');
    for (int b = generator.Below(4); b > 0; --b)
      text.insert(text.size() - static_cast<std::size_t>(generator.Below(14)),
                  generator.Below(2) == 0 ? "\n" : "\r");
    text += "ws/eBayISAPI.dll?ViewItem&category=1\nrest";
    if (generator.Below(5) == 0) text += std::string(1, '\0') + "tail\r";
    std::vector<std::string> lines(1);
    for (const char c : text) {
      if (c == '\n' || c == '\r') {
        lines.emplace_back();
      } else {
        lines.back() += c;
      }
    }
    EXPECT_EQ(PageTextOf(LinesText(lines)), PageTextLiterally(lines))
        << "case " << i;
  }
}

}  // namespace
}  // namespace tolvane::testing
