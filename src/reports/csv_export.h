#pragma once

#include <string>

#include "listing/result_grid.h"

namespace tolvane {

// Keeps a description from breaking its record: quotation marks become
// apostrophes, then commas become two spaces and a period.
std::string CleanCsvField(std::string text);

// One exported record: five quoted fields, item, cleaned description,
// price, bids and end time, without a line end.
std::string CsvRecord(const RowView& row);

// The search text as a proposed file name: the path separator and control
// bytes, which cannot stand in a name, become "_".
std::string ProposedCsvFileName(std::string query);

}  // namespace tolvane
