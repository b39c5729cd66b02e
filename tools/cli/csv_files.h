#pragma once

#include <string>
#include <vector>

#include "headless_app.h"

namespace tolvane::cli {

// Merges each file into the grid in turn, through the Merge command as the
// user gives it. A file the command reports on (no items) is named on
// standard error; one that cannot be read ends the run with its error.
void MergeCsvFiles(HeadlessApp& app, const std::vector<std::string>& files);

// True for a switch the command does not know.
bool IsUnknownOption(const std::string& arg);

}  // namespace tolvane::cli
