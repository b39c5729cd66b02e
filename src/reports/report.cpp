#include "reports/report.h"

#include "util/lines.h"

namespace tolvane {
namespace {

constexpr const char* kSearchExpressionLine = "\n\nSearch Expression: \t";
constexpr const char* kGap = "\n";
constexpr const char* kEndMark = "-- end --";
constexpr const char* kItemIndent = "    ";

// Two single-character scans: far quicker than a scan for either character.
bool HasBreak(std::string_view line) {
  return line.find('\n') != std::string_view::npos ||
         line.find('\r') != std::string_view::npos;
}

}  // namespace

void AppendBufferLine(std::vector<std::string>& buffer, std::string_view line) {
  // Most lines hold no break; they go in without splitting.
  if (!HasBreak(line)) {
    buffer.emplace_back(line);
    return;
  }
  for (std::string& part : MemoLinesOf(std::string(line))) {
    buffer.push_back(std::move(part));
  }
}

std::vector<std::string> ComposeReport(
    const std::string& query, const std::vector<std::string>& memo_lines,
    const ResultGrid& grid, ReportItems items) {
  std::vector<std::string> lines;
  AppendBufferLine(lines, kSearchExpressionLine + query);
  AppendBufferLine(lines, kGap);
  for (const std::string& line : memo_lines) AppendBufferLine(lines, line);
  AppendBufferLine(lines, kGap);
  if (items != ReportItems::kNone) {
    for (const RowView row : grid.Rows()) {
      if (!row.checked && items != ReportItems::kAll) continue;
      std::string line = kItemIndent;
      line.append(row.item).append("\t").append(row.price).append("\t");
      line.append(row.bids).append("\t").append(row.description);
      AppendBufferLine(lines, line);
    }
  }
  AppendBufferLine(lines, kEndMark);
  return lines;
}

std::string TextFileBytes(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace tolvane
