// tolvane-cli: the program's core without a window, for scripts and batch
// work.
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "commands.h"

namespace {

constexpr const char* kUsage =
    "usage: tolvane-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "commands:\n"
    "  parse PAGE...                 parse captured or saved result pages "
    "into\n"
    "                                one grid and write it as CSV on standard\n"
    "                                output; a page refused (a bot check, "
    "items\n"
    "                                still for sale, another currency) is "
    "named\n"
    "                                on standard error, and the status is 1\n"
    "  url [--offset N] [--site sold|classic] [--marketplace HOST] EXPRESSION\n"
    "                                print the address of a result page; the\n"
    "                                site and marketplace default to the\n"
    "                                stored options\n"
    "  summary CSV...                merge CSV files and print the summary\n"
    "  analysis [--today YYYY-MM-DD] CSV...\n"
    "                                merge CSV files and print the hourly and\n"
    "                                weekday analysis\n"
    "  stats [--json] CSV...         merge CSV files and print robust price\n"
    "                                figures of the checked rows (median,\n"
    "                                percentiles interpolated at (n - 1) x p,\n"
    "                                Tukey fences, typical price)\n";

constexpr const char* kNoMemory = "Not enough memory to finish the command.";
constexpr const char* kCannotWriteOutput = "Cannot write to standard output.";

// Output that never arrived (a full disk, standard output closed) fails the
// command, whatever it printed: a script must not take it for a result.
int Finish(int status) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "%s\n", kCannotWriteOutput);
    return 1;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tolvane::cli;
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return Finish(0);
  }
  const Args args(argv + 2, argv + argc);
  int status = 2;
  try {
    if (command == "parse")
      status = RunParse(args);
    else if (command == "url")
      status = RunUrl(args);
    else if (command == "summary")
      status = RunSummary(args);
    else if (command == "analysis")
      status = RunAnalysis(args);
    else if (command == "stats")
      status = RunStats(args);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s\n", kNoMemory);
    return 1;
  } catch (const std::exception& error) {
    // The program's own error text, with its period, as its error box
    // would show it.
    std::string text = error.what();
    if (text.empty() || text.back() != '.') text.push_back('.');
    std::fprintf(stderr, "%s\n", text.c_str());
    return 1;
  }
  if (status == 2) std::fputs(kUsage, stderr);
  return Finish(status);
}
