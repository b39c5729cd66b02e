#include "app/application.h"

#include <utility>

#include "platform/services.h"

namespace tolvane {

void Application::ShowError(const std::string& text) {
  std::string shown = text;
  if (shown.empty() || shown.back() != '.') shown.push_back('.');
  message_box_->Show(shown, title_, MbButtons::kOk, MbIcon::kStop);
}

void Application::RunWhenFree(std::function<void()> event) {
  if (long_commands_ > 0) {
    waiting_.push_back(std::move(event));
  } else {
    event();
  }
}

void Application::RunWaiting() {
  std::vector<std::function<void()>> events;
  events.swap(waiting_);
  for (const std::function<void()>& event : events) Dispatch(event);
}

}  // namespace tolvane
