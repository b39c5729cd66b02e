#include <filesystem>
#include <string>
#include <vector>

#include "app/frm_price.h"
#include "listing/page_parser.h"
#include "util/error.h"
#include "util/files.h"
#include "util/lines.h"

namespace tolvane {
namespace {

// A result page saved from a browser is a few megabytes at most; anything
// far larger is not one, and is not read into memory.
constexpr std::size_t kMaxSavedPageBytes = std::size_t{64} << 20;
constexpr const char* kPageTooLarge =
    "The file is larger than 64 MiB, so it is no saved result page.";
// One line per refused page.
constexpr const char* kRefusedPage = "%s: ";

// The page's bytes, read only from a regular file of a sane size; one that
// grows past the bound while it is read is refused all the same.
std::string ReadSavedPage(const std::string& path) {
  InputFile file(path);
  if (file.Size() > kMaxSavedPageBytes) throw Error(kPageTooLarge);
  std::string bytes;
  bytes.reserve(file.Size());
  std::vector<char> buffer(std::size_t{1} << 16);
  while (const std::size_t got = file.Read(buffer.data(), buffer.size())) {
    bytes.append(buffer.data(), got);
    if (bytes.size() > kMaxSavedPageBytes) throw Error(kPageTooLarge);
  }
  return bytes;
}

}  // namespace

void TFrmPrice::OpenSavedPages1Click(const Sender&) {
  std::vector<std::string> files;
  if (!services_.file_dialog.ExecuteOpenFiles(OpnPagesDlg_, files)) return;
  OpenSavedPages(files);
}

void TFrmPrice::OpenSavedPages(const std::vector<std::string>& files) {
  std::string refused;
  for (const std::string& file : files) {
    std::string reason;
    try {
      // The same text the capture file gives: the page's lines, each
      // followed by CR LF.
      const PageRead read =
          AddPageRows(LinesText(SplitLines(ReadSavedPage(file))));
      if (read.refusal) reason = *read.refusal;
    } catch (const Error& error) {
      reason = error.what();
    }
    if (reason.empty()) continue;
    if (!refused.empty()) refused += "\n";
    refused += FormatMessage(kRefusedPage,
                             std::filesystem::path(file).filename().string());
    refused += reason;
  }
  if (!refused.empty()) {
    services_.message_box.Show(refused, kApplicationTitle, MbButtons::kOk,
                               MbIcon::kInformation);
  }
}

}  // namespace tolvane
