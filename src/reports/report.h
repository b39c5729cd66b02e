#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "listing/result_grid.h"

namespace tolvane {

// The print job's name, as the print queue shows it.
inline constexpr const char* kReportTitle = " Tolvane Statistics Report ";

// Appends one line to a text buffer the way the hidden rich edit takes it:
// the line ends with a break of its own, and every CR LF, LF or CR inside it
// is a break too. The buffer holds the physical lines.
void AppendBufferLine(std::vector<std::string>& buffer, std::string_view line);

// Which rows the report lists.
enum class ReportItems { kNone, kChecked, kAll };

// The printed statistics report: the search expression, the memo's lines as
// they are, the chosen rows and the end mark, as physical lines.
std::vector<std::string> ComposeReport(
    const std::string& query, const std::vector<std::string>& memo_lines,
    const ResultGrid& grid, ReportItems items);

// A buffer written as plain text: each line followed by CR LF.
std::string TextFileBytes(const std::vector<std::string>& lines);

}  // namespace tolvane
