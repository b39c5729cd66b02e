#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// One record of a delimited file.
struct CsvSplitRecord {
  // The fields with their quotation marks taken off and doubled ones made
  // single, each a view into the splitter's buffer that holds until the
  // next cut; the first 4096 only. A blank line has none.
  std::vector<std::string_view> fields;
  // The file's line the record begins on, counted from 1.
  std::size_t line = 0;
};

// Cuts the records of a delimited file the way spreadsheet programs write
// them and Python's csv module reads them: a field that begins with a
// quotation mark runs to the closing one, holding delimiters, line breaks
// and doubled quotation marks; text after the closing mark joins the field;
// elsewhere a quotation mark is a plain character. A line ends at LF, CR LF
// or a lone CR; a quoted field left open runs to the end of the file.
//
// One pass over the bytes: fields are found by scanning, handed on as views
// into the buffer (rewritten in place only where doubled quotation marks
// must become single), and the file is read a stretch at a time, so only
// the stretch being cut is ever held.
class CsvRecordSplitter {
 public:
  // Fills up to `size` bytes at `buffer`; 0 at the end.
  using Reader = std::function<std::size_t(char* buffer, std::size_t size)>;

  // `text` holds the bytes read so far and the records begin at `from`, on
  // line `line`; the reader, if any, gives the bytes that follow, `chunk`
  // at a time.
  CsvRecordSplitter(std::string text, std::size_t from, std::size_t line,
                    char delimiter, Reader reader = nullptr,
                    std::size_t chunk = 0);

  // Cuts the next record; false once the text has ended.
  bool Next(CsvSplitRecord& record);

 private:
  enum class Cut { kRecord, kEnd, kNeedMore };
  // Cuts the record at the offset from the bytes held, changing nothing
  // when they end before it does.
  Cut TryCut(CsvSplitRecord& record);
  void ReadMore();
  // The first delimiter, CR or LF at or after `from`; `end` when none.
  char* FindStop(char* from, const char* end) const;
  // Rewrites a field that begins with its opening quotation mark into its
  // text, in place.
  static std::string_view Unquote(char* begin, char* end);

  std::string buffer_;
  std::size_t at_;    // where the next record begins
  std::size_t held_;  // how many bytes of the buffer hold text
  std::size_t line_;
  char delimiter_;
  Reader reader_;
  std::size_t chunk_;
  bool ended_;  // no byte follows those held
  // Per field of the record being cut: whether it must be unquoted.
  std::vector<std::uint8_t> rewrite_;
  // The bytes that end an unquoted field: the delimiter, CR and LF.
  std::array<bool, 256> stops_{};
};

}  // namespace tolvane
