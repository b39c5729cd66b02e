#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tolvane::cli {

// Each subcommand takes its arguments (without the subcommand's name) and
// returns the exit status: 0 success, 1 an error (its text on standard
// error), 2 a usage error (the usage on standard error).
using Args = std::vector<std::string>;

// The arguments of a command that takes files and no options of its own:
// all of them, "--" left out where it ends the options, so a file whose
// name starts with "-" can be named after it; nothing when a switch comes
// before it.
std::optional<Args> FileArguments(const Args& args);

int RunParse(const Args& args);
int RunUrl(const Args& args);
int RunSummary(const Args& args);
int RunAnalysis(const Args& args);
int RunStats(const Args& args);

}  // namespace tolvane::cli
