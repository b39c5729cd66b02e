#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "util/error.h"

namespace tolvane {

class MessageBox;
class TBusyBox;
class TFrmAna;
class TFrmOptions;
class TFrmPrice;
class TOKRightDlg;

inline constexpr const char* kApplicationTitle = "Tolvane 1.6";

// The control that fired an event. Handlers do not look at it, except Get,
// which starts a Get 5 only for SpdBtnGet5 (and the Data menu's Get 5).
struct Sender {
  std::string_view name;
};

// The application object: its title, the five windows, and the one door
// through which every event enters the core.
class Application {
 public:
  explicit Application(MessageBox& message_box) : message_box_(&message_box) {}
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  const std::string& Title() const { return title_; }

  // Runs a handler. An error that escapes it ends that handler and is shown
  // in the default error report; the program goes on with the next event.
  // Handlers run from inside another handler pass their errors up to the
  // outermost one, which reports them once.
  template <typename Handler>
  void Dispatch(Handler&& handler) {
    if (depth_ > 0) {
      std::forward<Handler>(handler)();
      return;
    }
    ++depth_;
    try {
      std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
      depth_ = 0;
      ShowError(error.what());
      return;
    }
    --depth_;
  }

  // The default error report: stop icon, the application title as caption,
  // the text with a period added when it has none.
  void ShowError(const std::string& text);

  // The five windows, set as they are created at start-up.
  TFrmPrice* FrmPrice = nullptr;
  TOKRightDlg* OKRightDlg = nullptr;
  TFrmAna* FrmAna = nullptr;
  TBusyBox* BusyBox = nullptr;
  TFrmOptions* FrmOptions = nullptr;

 private:
  MessageBox* message_box_;
  std::string title_ = kApplicationTitle;
  int depth_ = 0;
};

}  // namespace tolvane
