#include "app/tessik_glo_shell.h"

#include "platform/browser.h"
#include "platform/services.h"
#include "util/tessik_glo.h"

namespace tolvane {

bool TessikGloShell::ShellOpen(const std::string& target) {
  if (shell_->Open(target)) return true;
  message_box_->Show(kShellOpenFailed, kShellOpenCaption, MbButtons::kOk,
                     MbIcon::kNone);
  return false;
}

void TessikGloShell::ShowPage(const std::string& page, Browser& browser,
                              bool local) {
  const std::string address =
      local ? TessikGlo::CurrentDirectory() + "/" + page : page;
  browser.Navigate(address, kNavNoHistory);
}

}  // namespace tolvane
