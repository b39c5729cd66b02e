#include "gui/qt_timer.h"

namespace tolvane::gui {

QtTimer::QtTimer() {
  // A coarse timer may move a long count by several percent; the count is
  // the user's timeout in seconds and should end when it says.
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
    if (on_timer_) on_timer_();
  });
}

void QtTimer::SetInterval(int milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  if (enabled_) Restart();
}

void QtTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) {
    Restart();
  } else {
    timer_.stop();
  }
}

void QtTimer::Restart() {
  // An interval of 0 would make QTimer fire at every idle moment; here it
  // means never.
  if (interval_ > 0) {
    timer_.start(interval_);
  } else {
    timer_.stop();
  }
}

}  // namespace tolvane::gui
