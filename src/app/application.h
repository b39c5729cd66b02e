#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
  // A handler called straight from another one passes its error up to the
  // outermost, which reports it once. A handler run by the event loop of a
  // modal box or dialog that another handler opened is outermost itself:
  // its error is reported there and the handler that opened the box goes on
  // when it closes.
  template <typename Handler>
  void Dispatch(Handler&& handler) {
    const int loop_level = loop_level_ ? loop_level_() : 0;
    if (depth_ > 0 && loop_level == outer_loop_level_) {
      std::forward<Handler>(handler)();
      return;
    }
    {
      const OuterHandler outer(*this, loop_level);
      try {
        std::forward<Handler>(handler)();
      } catch (const std::exception& error) {
        ShowError(error.what());
      }
    }
    if (depth_ == 0 && !waiting_.empty()) RunWaiting();
  }

  // Runs an event now, or, while a long command keeps the event loop
  // turning under its progress bar, once the outermost handler has ended:
  // a Get's page or timer never lands amid the command's rows.
  void RunWhenFree(std::function<void()> event);

  // A long command runs while one lives.
  class LongCommand {
   public:
    explicit LongCommand(Application& app) : app_(app) {
      ++app_.long_commands_;
    }
    LongCommand(const LongCommand&) = delete;
    LongCommand& operator=(const LongCommand&) = delete;
    ~LongCommand() { --app_.long_commands_; }

   private:
    Application& app_;
  };

  // Tells how deeply event loops are nested at the moment (the program's
  // own loop, and one more for each modal box or dialog open). Without it
  // every handler run from another counts as called straight from it.
  void SetLoopLevel(std::function<int()> loop_level) {
    loop_level_ = std::move(loop_level);
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
  // Marks a handler as the outermost one of its event loop while it runs.
  class OuterHandler {
   public:
    OuterHandler(Application& app, int loop_level)
        : app_(app),
          saved_depth_(app.depth_),
          saved_loop_level_(app.outer_loop_level_) {
      app_.depth_ = 1;
      app_.outer_loop_level_ = loop_level;
    }
    OuterHandler(const OuterHandler&) = delete;
    OuterHandler& operator=(const OuterHandler&) = delete;
    ~OuterHandler() {
      app_.depth_ = saved_depth_;
      app_.outer_loop_level_ = saved_loop_level_;
    }

   private:
    Application& app_;
    int saved_depth_;
    int saved_loop_level_;
  };

  // Each event kept, in order, as its own outermost handler.
  void RunWaiting();

  MessageBox* message_box_;
  std::string title_ = kApplicationTitle;
  std::function<int()> loop_level_;
  int depth_ = 0;
  int outer_loop_level_ = 0;
  int long_commands_ = 0;
  std::vector<std::function<void()>> waiting_;
};

}  // namespace tolvane
