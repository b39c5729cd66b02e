#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "listing/parsed_item.h"

namespace tolvane {

// Cuts records out of a merged file's text, with every line break removed,
// the way the merge has always read it: each record drops one opening
// character, then each field runs up to the next quotation mark and the cut
// skips fixed gaps of three characters (closing mark, comma, opening mark),
// or one after the last field. Nothing is validated; a file laid out
// otherwise shifts its fields.
//
// The walk keeps an offset into the text instead of cutting copies of the
// rest, so a whole file costs one pass. Read from a file, it holds only the
// stretch it is cutting: a file of a million records is never in memory
// all at once.
class CsvMergeWalk {
 public:
  // Fills up to `size` bytes at `buffer`; 0 at the end.
  using Reader = std::function<std::size_t(char* buffer, std::size_t size)>;

  // The text, already without line breaks.
  explicit CsvMergeWalk(std::string text) : text_(std::move(text)) {}
  // The bytes the reader gives, read `chunk` at a time; their line feeds
  // and carriage returns are dropped as they arrive.
  CsvMergeWalk(Reader reader, std::size_t chunk)
      : reader_(std::move(reader)), chunk_(chunk) {}

  // Fills all five fields of the next record. The first call always yields
  // a record, even from an empty text.
  void Next(ParsedItem& item);

  // True when the reader gave no bytes at all, line breaks included: a
  // file without lines.
  bool NothingRead() {
    while (bytes_read_ == 0 && ReadMore()) {
    }
    return bytes_read_ == 0;
  }

  // True once at most one character is left: no further record follows.
  bool AtEnd() { return Available(2) <= 1; }

 private:
  // Reads on until `count` characters follow the offset or the text has
  // ended; returns how many follow it.
  std::size_t Available(std::size_t count);
  // The next quotation mark at or after the offset, reading on as needed.
  std::size_t NextQuote();
  bool ReadMore();
  void CutField(std::string& field, std::size_t gap);

  std::string text_;
  std::size_t at_ = 0;  // where the rest of the text begins
  // From the offset on, no quotation mark lies before this place.
  std::size_t no_quote_before_ = 0;
  Reader reader_;  // none once the end has been read
  std::size_t chunk_ = 0;
  std::size_t bytes_read_ = 0;
};

}  // namespace tolvane
