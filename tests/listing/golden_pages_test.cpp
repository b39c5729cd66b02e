#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/fakes.h"
#include "reports/csv_export.h"
#include "util/files.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

// The rows a Get adds to an empty grid, in the export form.
std::string GridCsvAfterGet(const fs::path& page) {
  fakes::FakeApp f;
  f.FrmPrice->ParseListingPage(page.string());
  std::string csv;
  for (const ResultRow& row : f.FrmPrice->ListView1().Rows())
    csv += CsvRecord(row) + "\r\n";
  return csv;
}

// Catches any change in the rows a real result page gives, case by case:
// every folder under tests/data/pages is one page with the rows a Get adds
// to an empty grid; a folder without its expected rows fails.
TEST(GoldenPagesTest, EveryPageGivesItsExpectedRows) {
  std::vector<fs::path> cases;
  for (const auto& entry : fs::directory_iterator(TOLVANE_PAGES_DIR))
    if (entry.is_directory()) cases.push_back(entry.path());
  std::sort(cases.begin(), cases.end());
  ASSERT_FALSE(cases.empty());
  for (const fs::path& folder : cases) {
    SCOPED_TRACE(folder.filename().string());
    ASSERT_TRUE(fs::exists(folder / "page.htm"));
    EXPECT_EQ(GridCsvAfterGet(folder / "page.htm"),
              ReadWholeFile((folder / "expected.csv").string()));
  }
}

}  // namespace
}  // namespace tolvane
