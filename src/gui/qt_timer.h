#pragma once

#include <QTimer>
#include <functional>

#include "platform/timer.h"

namespace tolvane::gui {

// TmrTimeout over QTimer. It fires again every interval while enabled.
class QtTimer : public Timer {
 public:
  QtTimer();

  void SetInterval(int milliseconds) override;
  int Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()> handler) override {
    on_timer_ = std::move(handler);
  }

  // Whether a count is running: false while disabled or at interval 0.
  bool Counting() const { return timer_.isActive(); }
  // Milliseconds left of the running count; -1 when none runs.
  int RemainingMs() const { return timer_.remainingTime(); }

 private:
  void Restart();

  QTimer timer_;
  int interval_ = 1000;
  bool enabled_ = false;
  std::function<void()> on_timer_;
};

}  // namespace tolvane::gui
