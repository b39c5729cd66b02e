#include "headless_app.h"

#include <ctime>

namespace tolvane::cli {

HeadlessApp::HeadlessApp(const RegionalSettings& regional)
    : windows_(regional) {
  // Nothing here prints or opens pages: a print or an open is declined.
  windows_.print_dialog.accept = false;
  windows_.shell.succeed = false;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  clock.today = Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace tolvane::cli
