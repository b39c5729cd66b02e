#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "listing/parsed_item.h"

namespace tolvane {

// The five fields of a record of the program's own form, in the file's
// order.
struct CsvMergeRecord {
  std::string_view item;
  std::string_view description;
  std::string_view price;
  std::string_view bids;
  std::string_view ended;
};

// Cuts records out of a merged file's text, with every line break removed,
// the way the merge has always read it: each record drops one opening
// character, then each field runs up to the next quotation mark and the cut
// skips fixed gaps of three characters (closing mark, comma, opening mark),
// or one after the last field. Nothing is validated; a file laid out
// otherwise shifts its fields.
//
// The walk reads the bytes as they are and steps over line breaks where it
// meets them, instead of making a copy without them; a field is handed on
// as a view into the bytes read, copied only when a line break lies inside
// it. Read from a file, it holds only the stretch it is cutting: a file of
// a million records is never in memory all at once.
class CsvMergeWalk {
 public:
  // Fills up to `size` bytes at `buffer`; 0 at the end.
  using Reader = std::function<std::size_t(char* buffer, std::size_t size)>;

  // The whole text.
  explicit CsvMergeWalk(std::string text);
  // The bytes the reader gives, read `chunk` at a time.
  CsvMergeWalk(Reader reader, std::size_t chunk);

  // Fills all five fields of the next record. The first call always yields
  // a record, even from an empty text.
  void Next(ParsedItem& item);
  // The same as views, which hold until the walk is next called.
  void Next(CsvMergeRecord& record);

  // True when the reader gave no bytes at all, line breaks included: a
  // file without lines.
  bool NothingRead();

  // True once at most one character is left: no further record follows.
  bool AtEnd();

  // The bytes the reader has given so far.
  std::size_t BytesRead() const { return bytes_read_; }

 private:
  // A field as cut: where it lies in the bytes held, or in its own copy
  // when a line break had to be taken out.
  struct Cut {
    std::size_t at = 0;
    std::size_t size = 0;
    bool copied = false;
  };

  bool ReadMore();
  // Steps over line breaks; false when no character is left.
  bool SkipBreaks();
  // Steps over `count` characters, line breaks not counted, or to the end.
  void Skip(std::size_t count);
  // The next quotation mark at or after the offset, reading on as needed;
  // npos when there is none.
  std::size_t NextQuote();
  void CutField(std::size_t field, std::size_t gap);
  // The usual record: all five fields and their gaps on one line held.
  // Cut them at once and true; false, with the offset unmoved, otherwise.
  bool CutOnLine();
  std::string_view View(std::size_t field) const;

  std::string text_;
  std::size_t held_ = 0;  // bytes of text_ read
  std::size_t at_ = 0;    // where the rest of the text begins
  // Where the record being cut began: nothing from here on is dropped.
  std::size_t record_ = 0;
  // From the offset on, no quotation mark lies before this place.
  std::size_t no_quote_before_ = 0;
  std::array<Cut, 5> cuts_{};
  std::array<std::string, 5> copies_;
  Reader reader_;  // none once the end has been read
  std::size_t chunk_ = 0;
  std::size_t bytes_read_ = 0;
};

}  // namespace tolvane
