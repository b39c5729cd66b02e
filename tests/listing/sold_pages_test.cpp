#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "listing/sold_page.h"
#include "util/files.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

// The page's kind and what the reader finds on it, a line each; a listing
// as its five texts and its check mark, apart by tabs.
std::string Reading(const std::string& page) {
  static constexpr const char* kKinds[] = {"classic", "sold-listings",
                                           "challenge"};
  const SoldPage read = ReadSoldPage(page);
  std::string text = std::string("kind\t") +
                     kKinds[static_cast<int>(RecognisePage(page))] +
                     "\ncurrency\t" + read.currency + "\nfor_sale\t" +
                     std::to_string(read.for_sale) + "\nnext_page\t" +
                     read.next_page.value_or("(none)") + "\n";
  for (const ParsedItem& listing : read.listings) {
    text += listing.Item + "\t" + listing.Description + "\t" + listing.Bids +
            "\t" + listing.Price + "\t" + listing.Ended + "\t" +
            (listing.checked ? "checked" : "unchecked") + "\n";
  }
  return text;
}

std::vector<fs::path> Folders(const char* parent) {
  std::vector<fs::path> folders;
  for (const auto& entry : fs::directory_iterator(parent))
    if (entry.is_directory()) folders.push_back(entry.path());
  std::sort(folders.begin(), folders.end());
  return folders;
}

// Catches a listing lost, added, cut wrongly or mapped wrongly, and a wrong
// page kind, currency, count of items for sale or next-page link, case by
// case: every folder under tests/data/sold_pages is one page with what it
// must give; a folder without its expected.tsv fails.
TEST(SoldPagesTest, EveryPageGivesItsExpectedReading) {
  const std::vector<fs::path> cases = Folders(TOLVANE_SOLD_PAGES_DIR);
  ASSERT_FALSE(cases.empty());
  for (const fs::path& folder : cases) {
    SCOPED_TRACE(folder.filename().string());
    ASSERT_TRUE(fs::exists(folder / "expected.tsv"));
    EXPECT_EQ(Reading(ReadWholeFile((folder / "page.htm").string())),
              ReadWholeFile((folder / "expected.tsv").string()));
  }
}

// Catches a classic page taken for one of today's or for a bot check, whose
// rows would then be lost: every classic golden page stays classic.
TEST(SoldPagesTest, ClassicPagesStayClassic) {
  for (const fs::path& folder : Folders(TOLVANE_PAGES_DIR)) {
    EXPECT_EQ(RecognisePage(ReadWholeFile((folder / "page.htm").string())),
              PageKind::kClassic)
        << folder;
  }
}

}  // namespace
}  // namespace tolvane
