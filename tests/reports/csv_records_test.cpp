#include "reports/csv_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace tolvane::testing {
namespace {

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out.empty() ? "-" : out;
}

// The records as read_csv_check.py writes Python's: one line each, its
// start line, then each field hex-coded.
std::string Split(const std::string& text, char delimiter, std::size_t chunk) {
  std::size_t read = 0;
  CsvRecordSplitter splitter(
      "", 0, 1, delimiter,
      [&](char* buffer, std::size_t size) {
        const std::size_t n = text.copy(buffer, std::min(size, chunk), read);
        read += n;
        return n;
      },
      chunk);
  std::string out;
  CsvSplitRecord record;
  while (splitter.Next(record)) {
    out += std::to_string(record.line);
    for (const std::string_view field : record.fields) out += ' ' + Hex(field);
    out += '\n';
  }
  return out;
}

// A random file of the shapes exports have and some they should not: fields
// quoted or bare, doubled and stray quotation marks, text after a closing
// mark, delimiters and line breaks inside quotes, blank lines, LF, CR LF
// and lone CR, a last line with or without its break or left inside an
// open quotation.
std::string RandomFile(std::mt19937& random, char delimiter) {
  const std::string inner = std::string("ab \xE9\"\r\n") + delimiter;
  const char* const kBreaks[] = {"\n", "\r\n", "\r"};
  std::string file;
  const int records = static_cast<int>(random() % 8);
  for (int r = 0; r < records; ++r) {
    const int fields = static_cast<int>(random() % 5);
    for (int f = 0; f < fields; ++f) {
      if (f > 0) file += delimiter;
      std::string text;
      for (int n = static_cast<int>(random() % 6); n > 0; --n) {
        text += inner[random() % inner.size()];
      }
      if (random() % 2 == 0) {
        std::string quoted = "\"";
        for (const char c : text)
          quoted += c == '"' ? "\"\"" : std::string(1, c);
        file += quoted + "\"";
        if (random() % 8 == 0) file += "x\"y";
      } else {
        // Bare: no delimiter, line break or leading quotation mark.
        std::erase_if(text, [&](char c) {
          return c == delimiter || c == '\r' || c == '\n';
        });
        if (!text.empty() && text[0] == '"') text[0] = 'q';
        file += text;
      }
    }
    if (r + 1 < records || random() % 2 == 0) {
      file += kBreaks[random() % 3];
    }
  }
  if (random() % 10 == 0) file += "\"open" + std::string(1, delimiter) + "\n";
  return file;
}

// Pins what Python's csv module gives for the shapes whose reading is least
// obvious, so a fault shows without Python too: blank lines with no field, a
// lone CR ending a record, text after a closing quotation mark, stray
// quotation marks in a bare field, an open quotation at the end, and start
// lines counting breaks inside quotes.
TEST(CsvRecordSplitterTest, CutsAsPythonsCsvModule) {
  const std::pair<std::string, std::string> kCases[] = {
      {"a\n\nb\n", "1 61\n2\n3 62\n"},
      {"a\rb\r\n\r\nc", "1 61\n2 62\n3\n4 63\n"},
      {"a,\"b\rc\"\rd", "1 61 620d63\n3 64\n"},
      {"\"ab\"cd,e", "1 61626364 65\n"},
      {"ab\"c\"d,e", "1 616222632264 65\n"},
      {"\"a\"\"b\"x\"y\",z", "1 61226278227922 7a\n"},
      {"a,\"b\"\"\"\n\"", "1 61 6222\n2 -\n"},
      {",\n\"\"", "1 - -\n2 -\n"},
      {"a\r\r\nb", "1 61\n2\n3 62\n"},
  };
  for (const auto& [text, records] : kCases) {
    EXPECT_EQ(Split(text, ',', 1 << 16), records) << text;
    EXPECT_EQ(Split(text, ',', 1), records) << text;
  }
  // A record of more fields than are kept gives its first 4096.
  CsvRecordSplitter wide(std::string(5000, ','), 0, 1, ',');
  CsvSplitRecord record;
  ASSERT_TRUE(wide.Next(record));
  EXPECT_EQ(record.fields.size(), 4096u);
  // A quoted field closed inside what is held is cut without reading on:
  // the first record of a long file comes after one read, not all of them.
  std::string file;
  for (int i = 0; i < 1000; ++i) file += "\"a\",b\n";
  std::size_t reads = 0, read = 0;
  CsvRecordSplitter streamed(
      "", 0, 1, ',',
      [&](char* buffer, std::size_t size) {
        ++reads;
        const std::size_t n = file.copy(buffer, size, read);
        read += n;
        return n;
      },
      64);
  ASSERT_TRUE(streamed.Next(record));
  EXPECT_EQ(reads, 1u);
}

// Catches a record lost, doubled or cut differently where one read ends and
// the next begins, on random files of every shape. With the
// csv_python_reader test, it writes the files and what the splitter cut
// from them for read_csv_check.py, which splits them with Python's csv
// module: a field cut other than a standard reader cuts it, or a wrong
// start line, fails there.
TEST(CsvForPythonTest, WritesRandomFilesSplitAsTheSplitterCutsThem) {
  const char* folder = std::getenv("TOLVANE_CSV_CHECK_DIR");
  const std::filesystem::path split =
      std::filesystem::path(folder == nullptr ? "" : folder) / "split";
  if (folder != nullptr) std::filesystem::create_directories(split);
  std::mt19937 random(20261002);
  for (int i = 0; i < 400; ++i) {
    const char delimiter = ",;\t"[i % 3];
    const std::string file = RandomFile(random, delimiter);
    const std::string whole = Split(file, delimiter, 1 << 16);
    ASSERT_EQ(Split(file, delimiter, 1 + random() % 3), whole) << file;
    if (folder == nullptr) continue;
    const std::string name = (split / std::to_string(i)).string();
    std::ofstream(name + ".csv", std::ios::binary) << file;
    std::ofstream(name + ".split", std::ios::binary)
        << static_cast<int>(delimiter) << '\n'
        << whole;
  }
}

}  // namespace
}  // namespace tolvane::testing
