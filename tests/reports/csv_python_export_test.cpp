#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "reports_fixture.h"

namespace tolvane::testing {
namespace {

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out.empty() ? "-" : out;
}

// Writes an export for read_csv_check.py, which reads it with Python's csv
// module; with the fields each record must give, hex-coded one record a
// line. Catches a file that a standard CSV reader splits differently from
// the grid's rows (a comma or quotation mark let through, a line end other
// than CR LF, fields out of order).
TEST(CsvForPythonTest, WritesAnExportForTheCsvReader) {
  const char* folder = std::getenv("TOLVANE_CSV_CHECK_DIR");
  if (folder == nullptr) GTEST_SKIP() << "run by the csv_python_reader test";
  std::filesystem::create_directories(folder);
  const std::string csv = std::string(folder) + "/export.csv";
  const std::string fields = std::string(folder) + "/fields.txt";

  const std::vector<ParsedItem> rows = {
      {"1111111111", "Lamp \"Art Deco\", brass, 1930s", "12", "$1,234.56",
       "Jun-01 10:00"},
      {"2222222222", "Caf\xE9 sign", "-", "$3.00", "Dec-24 23:59"},
      {"3333333333", "", "0", "$0.99", "notAvail"},
      {"4444444444", "it's  . a \"quote\"", "7", "$ 5", "Jan-02 00:00"}};
  fakes::FakeApp f;
  for (const ParsedItem& row : rows) PutRow(f, row, false);
  f.file_dialog.answers.push_back(csv);
  f.Dispatch(
      [&] { f.FrmPrice->CreateCSVFileFromGrid1Click(Sender{"SpdBtnCSVOut"}); });
  ASSERT_TRUE(f.message_box.shown.empty());

  // Quotation marks become apostrophes and commas "  .".
  const char* const kDescriptions[] = {"Lamp 'Art Deco'  . brass  . 1930s",
                                       "Caf\xE9 sign", "", "it's  . a 'quote'"};
  std::ofstream out(fields, std::ios::binary);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ParsedItem& row = rows[i];
    out << Hex(row.Item) << ' ' << Hex(kDescriptions[i]) << ' '
        << Hex(row.Price) << ' ' << Hex(row.Bids) << ' ' << Hex(row.Ended)
        << '\n';
  }
}

}  // namespace
}  // namespace tolvane::testing
