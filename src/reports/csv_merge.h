#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "listing/parsed_item.h"

namespace tolvane {

// Cuts records out of a merged file's text, with every line break already
// removed, the way the merge has always read it: each record drops one
// opening character, then each field runs up to the next quotation mark and
// the cut skips fixed gaps of three characters (closing mark, comma, opening
// mark), or one after the last field. Nothing is validated; a file laid out
// otherwise shifts its fields.
//
// The walk keeps an offset into the text instead of cutting copies of the
// rest, so a whole file costs one pass.
class CsvMergeWalk {
 public:
  explicit CsvMergeWalk(std::string text) : text_(std::move(text)) {}

  // Fills all five fields of the next record. The first call always yields
  // a record, even from an empty text.
  void Next(ParsedItem& item);

  // True once at most one character is left: no further record follows.
  bool AtEnd() const { return text_.size() - at_ <= 1; }

 private:
  void CutField(std::string& field, std::size_t gap);

  std::string text_;
  std::size_t at_ = 0;  // where the rest of the text begins
};

// The text the walk reads: a file's lines run together. Lines split from a
// file hold no line breaks, so this is the file without its line feeds and
// carriage returns.
std::string JoinCsvLines(const std::vector<std::string>& lines);

}  // namespace tolvane
