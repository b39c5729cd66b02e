#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "listing/page_parser.h"
#include "util/files.h"
#include "util/tessik_glo.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

std::string CsvField(const std::string& text) { return "\"" + text + "\""; }

// The export form of one row: item, cleaned description, price, bids, end.
std::string CsvLine(const ParsedItem& row) {
  const std::string description = TessikGlo::ReplaceAll(
      TessikGlo::ReplaceAll(row.Description, "\"", "'"), ",", "  .");
  return CsvField(row.Item) + "," + CsvField(description) + "," +
         CsvField(row.Price) + "," + CsvField(row.Bids) + "," +
         CsvField(row.Ended) + "\r\n";
}

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Until the grid's own AddItem is wired in here, the two reasons a record
// is left out: a caption that begins with its item number, and a price text
// that is not digits with at most one each of ".", "$", "," and " ".
bool Accepted(const std::vector<ParsedItem>& rows, const ParsedItem& item) {
  for (const ParsedItem& row : rows) {
    if (Lower(row.Item).starts_with(Lower(item.Item))) return false;
  }
  std::string price = item.Price;
  for (const char* c : {".", "$", ",", " "})
    TessikGlo::ReplaceFirst(price, c, "9");
  return TessikGlo::IsAllDigits(price);
}

std::string GridCsvAfterGet(const fs::path& page) {
  std::vector<std::string> lines;
  TessikGlo::LoadFile(lines, page.string(), 99);
  std::vector<ParsedItem> rows;
  ParsedItem current;
  WalkAuctions(PageTextOf(lines), current, [&](const ParsedItem& item) {
    if (Accepted(rows, item)) rows.push_back(item);
  });
  std::string csv;
  for (const ParsedItem& row : rows) csv += CsvLine(row);
  return csv;
}

// Catches any change in the rows a real result page gives, case by case:
// every folder under tests/data/pages is one page with the rows a Get adds
// to an empty grid; a folder without its expected rows fails.
TEST(GoldenPagesTest, EveryPageGivesItsExpectedRows) {
  std::vector<fs::path> cases;
  for (const auto& entry : fs::directory_iterator(TOLVANE_PAGES_DIR)) {
    if (entry.is_directory()) cases.push_back(entry.path());
  }
  std::sort(cases.begin(), cases.end());
  ASSERT_FALSE(cases.empty());
  for (const fs::path& folder : cases) {
    SCOPED_TRACE(folder.filename().string());
    ASSERT_TRUE(fs::exists(folder / "page.htm"));
    ASSERT_TRUE(fs::exists(folder / "expected.csv"));
    EXPECT_EQ(GridCsvAfterGet(folder / "page.htm"),
              ReadWholeFile((folder / "expected.csv").string()));
  }
}

}  // namespace
}  // namespace tolvane
