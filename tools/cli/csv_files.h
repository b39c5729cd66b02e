#pragma once

#include <string>
#include <vector>

#include "headless_app.h"
#include "listing/row_sink.h"
#include "util/regional.h"

namespace tolvane::cli {

// Merges each file into the grid in turn, through the Merge command as the
// user gives it, and says on standard error what each gave: the report on
// another tool's file, the messages the command shows (no items), and the
// records of the program's own form left out for their price. A file that
// cannot be read ends the run with its error. False when another tool's
// file gave no row.
bool MergeCsvFiles(HeadlessApp& app, const std::vector<std::string>& files);

// The same for rows kept apart from any window, merged by the Merge
// command's rules with the same messages.
bool MergeCsvFiles(RowSink& rows, const std::vector<std::string>& files,
                   const RegionalSettings& settings);

// True for a switch the command does not know.
bool IsUnknownOption(const std::string& arg);

}  // namespace tolvane::cli
