#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "listing/row_sink.h"
#include "util/files.h"
#include "util/regional.h"

namespace tolvane {

// What merging one file gave.
struct CsvFileMerge {
  // The program's own form, and the file gave no byte at all: no items.
  bool nothing_read = false;
  // Another tool's file, read by its header.
  bool header = false;
  // Rows appended.
  int rows = 0;
  // The program's own form: records whose price AddItem refused.
  int unusable = 0;
  // Another tool's file: the report for the user.
  std::string report;
  // False when the merge was stopped before the file's end.
  bool finished = true;
};

// What the caller does around the rows.
struct CsvMergeSteps {
  // Once the file is known to give records (the own form: once it has been
  // read from), before any of them: Import's New Search.
  std::function<void()> before_rows;
  // Right before the first record is taken.
  std::function<void()> rows_start;
  // After each batch of records, with the file's bytes read so far; false
  // stops the merge there.
  std::function<bool(std::size_t bytes_read)> after_batch;
};

// Merges the file's records into the rows by AddItem's rules, in the file's
// order: a record whose item number some row's caption begins with is left
// out, then one whose price AddItem refuses, and every other is appended
// checked. The file's form is told by its start: another tool's file
// begins with a header. Records are cut and made ready a batch ahead, on a
// second thread where the machine has one; the rows take them in order on
// the caller's thread, so everything order-dependent stays as one pass.
//
// Throws Error when the file cannot be read, when a header lacks a needed
// column (before any step), and when another tool's prices are in another
// currency than the rows' (the rows appended so far stay).
CsvFileMerge MergeCsvFile(InputFile& file, RowSink& rows,
                          const RegionalSettings& settings,
                          const CsvMergeSteps& steps);

}  // namespace tolvane
