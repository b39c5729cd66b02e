#pragma once

#include <string>
#include <vector>

namespace tolvane::cli {

// Each subcommand takes its arguments (without the subcommand's name) and
// returns the exit status: 0 success, 1 an error (its text on standard
// error), 2 a usage error (the usage on standard error).
using Args = std::vector<std::string>;

int RunParse(const Args& args);
int RunUrl(const Args& args);
int RunSummary(const Args& args);
int RunAnalysis(const Args& args);
int RunStats(const Args& args);

}  // namespace tolvane::cli
