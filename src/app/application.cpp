#include "app/application.h"

#include "platform/services.h"

namespace tolvane {

void Application::ShowError(const std::string& text) {
  std::string shown = text;
  if (shown.empty() || shown.back() != '.') shown.push_back('.');
  message_box_->Show(shown, title_, MbButtons::kOk, MbIcon::kStop);
}

}  // namespace tolvane
